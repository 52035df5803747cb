// The readable text of an MTEXT entity: its content with the inline formatting codes removed,
// split into paragraphs. It follows what AutoCAD draws, and what ezdxf's plain-text reading
// gives, so that the macro searches the words a user sees.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

// `content` is the joined content (group 3 chunks, then group 1) as UTF-8, with its \U+XXXX
// escapes still in it. Paragraphs end at \P, at a column break \N and at a caret line feed ^J;
// a last empty paragraph is dropped. Stacked fractions read as "1/2", a tab as four blanks,
// %%c, %%d and %%p as Ø, ° and ±.
std::vector<std::string> MTextParagraphs(std::string_view content);

} // namespace cadhost::dxf
