// What a run of the stand-in host is configured with.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace cadhost {

struct HostConfig {
    std::int32_t version = 230003;
    std::string macroPath;  // host path 4, ends with '/'
    std::string sharedPath; // host path 6, ends with '/'
    std::map<std::int32_t, std::string> colourNames = {
        {0, "Black"},      {1, "Blue"},           {2, "Green"},        {3, "Cyan"},
        {4, "Red"},        {5, "Magenta"},        {6, "Brown"},        {7, "Light Gray"},
        {8, "Dark Gray"},  {9, "Light Blue"},     {10, "Light Green"}, {11, "Light Cyan"},
        {12, "Light Red"}, {13, "Light Magenta"}, {14, "Yellow"},      {15, "White"}};
};

} // namespace cadhost
