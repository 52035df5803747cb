// The built-in demo: a short session on the sample drawing, run when cadhost has no arguments.
#pragma once

#include <string_view>

namespace cadhost {

std::string_view DemoScenario();

} // namespace cadhost
