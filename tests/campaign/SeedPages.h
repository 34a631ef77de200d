// Valid pages made from the model's own classes, the seeds the campaign mutates: one
// page per drawing class registered, so a class joins the campaign as soon as it is
// linked in. Each object moves along the page's track, turns, runs an effect and answers
// events, and every page enters with a transition.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct SeedPage {
  std::string name;  // the class it shows
  std::vector<BYTE> bytes;
};

std::vector<SeedPage> MakeSeedPages();
