// Resource ids of the browser control Tamrix.
#pragma once

#define IDS_RAVELO             1    // the control's type name
#define IDS_RAVELO_PPG         2    // the property page's type name
#define IDB_RAVELO             1    // toolbox bitmap
#define IDS_RAVELO_PPG_CAPTION 200
#define IDD_PROPPAGE_RAVELO    200
#define IDC_OBJECT_CURSOR      201  // over objects that have events
