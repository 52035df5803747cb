// The floating windows' forms, free of any toolkit: what the confirm window and the found-text
// window show, and the confirm window's rule for an edited text. The controller fills them for
// every entry it shows; the view shows them.
#pragma once

#include "dialogs/form/control_table.h"
#include "host/host_api.h"

#include <array>
#include <cstdint>
#include <string>

namespace qx::form {

// The confirm window: the entity under review, its present text and the text it would get.
struct TfmConfirm {
    // The window's title; empty keeps the designed one.
    std::string title;
    // Captions that replace the designed ones; empty keeps them.
    std::string lblReplace;
    std::string lblWith;
    // The texts, UTF-8.
    std::string lblOldTxt;
    std::string lblNewTxt;
    bool lblMaxLengthVisible = false;
    bool lblWithNoteVisible = false;
    bool btnEditEnabled = true;

    // Where an accepted edit lands: the proposed text as Windows-1252 bytes, and the flag that
    // an edit changed it. Either may be absent.
    std::string* pNewStr = nullptr;
    bool* pManualEditMade = nullptr;

    // The user accepted `utf8` in the edit dialog. The entity holds Windows-1252 text, so what
    // the code page cannot hold becomes '?', and the window shows the text exactly as it will
    // be written. A changed text hides the length note and marks the manual edit.
    void EditAccepted(const std::string& utf8);

    // The host keys the answer buttons type into the host's window, as the user would at its
    // prompt: Yes, No, Yes to All, No to All.
    static constexpr std::array<std::int32_t, 4> kAnswerKeys = {host::KeyF(1), host::KeyF(2),
                                                                host::KeyF(5), host::KeyS(0)};

    // Client area 468 x 123; the height follows the texts, only the width is the user's.
    static ControlTable Table();
    // Yes, No, Yes to All, No to All, Edit.
    static TabOrder Tabs();
};

// The found-text window of find-only browsing.
struct TfmFoundText {
    // "Found on " and the layer's name.
    std::string title;
    std::string lblFoundText;

    // Client area 624 x 26; the height follows the text, only the width is the user's.
    static ControlTable Table();
};

} // namespace qx::form
