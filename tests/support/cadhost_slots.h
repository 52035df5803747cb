// Binds the macro's host-function slots straight to the stand-in host's exports, in process, so
// that a test runs the macro's code against a real drawing (cadhost::CurrentSession()).
//
//     qx::test::BindSlotsToCadhost();
//     cadhost::CurrentSession().drawing.AddLayer("A");
//     ... code under test calls qx::host::Host().ent_get and friends ...
//     qx::test::UnbindSlots();
#pragma once

namespace qx::test {

// Fills every slot with the export of the same name.
void BindSlotsToCadhost();

// Empties every slot again.
void UnbindSlots();

} // namespace qx::test
