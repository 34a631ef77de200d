#include "tests/framework/TestObjects.h"

int CTestNode::s_live = 0;

IMPLEMENT_SERIAL(CTestNode, CObject, 0)
IMPLEMENT_SERIAL(CTestLeaf, CObject, 0)
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CTestReportsObjectBase, CObject, 0)
