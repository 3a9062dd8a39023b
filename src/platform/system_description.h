#pragma once

// What the program may tell about the PC it runs on (the feedback form's details).

#include <string>

namespace tessary {

struct SystemDescription {
  std::string currentBuild;    // "22631"
  std::string displayVersion;  // "23H2"
  std::string manufacturer;
  std::string productName;
  int displays = 0;
};

}  // namespace tessary
