#include "cadhost/scenario/demo_scenario.h"

namespace cadhost {

std::string_view DemoScenario() {
    return R"demo(# A user opens the sample drawing, sets up a search through the prompts, renames the door
# tags, and next time sets up a search in the Replace Text dialog.
drawing sample
ini macro Quillex UseForm 0
start
expect request menu "Manipulate Text"
expect label F9 "Search For" state 2 hint "Enter the text to search for"
key F9
expect request text ""
text "door"
expect label F9 "Search For" state 3 hint "'door'"
key S3
text "Gate"
expect label S3 "Replace With" state 3 hint "'Gate'"
key F10
expect label F10 "Case Sensitive" off
key F10
key S6
key F2
key F10
int 0
box ok "Increment cannot be zero"
int 2
expect label F10 "Increment" hint "Set size of increment (currently 2)"
key S0
expect label S6 "Inc Number" state 3 hint "Increment Numbers in Matching Entities by 2 (2nd num in text)"
# Back to replacing: the door tags on the Doors layer become gates, in one undo step.
key S3
text "Gate"
key F10
select layer "Doors"
dialog fmSelSet
  choose lbSelSets 3
  click btnOK
end
expect error "3 replacements made in 3 entities"
expect selset 3 "Quillset" backdoor
expect text door101 "Gate 101"
expect text door2 "Gate 2"
expect undo-steps 1
key S0
expect ended
expect ini macro Quillex SearchStr "door"
expect attribute Increment int 2

# The next time, the user switches to the Replace Text dialog in the settings menu and enters
# everything in one go.
start
key S8
key F3
expect label F3 "Use Form" on
key S0
key F9
dialog fmReplaceText
  type eOldText "Sheet"
  check chbWord on
  click rbIncrement
  choose cbIncOptions 4
  click btnOK
end
expect label F9 "Search For" state 3 hint "'Sheet'"
expect label S1 "Whole Word" on
expect label S6 "Inc Number" state 3 hint "Increment Numbers in Matching Entities by 1 (num at end of text)"
key S0
expect ended
)demo";
}

} // namespace cadhost
