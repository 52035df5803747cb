// Small DXF files that tests write tag by tag.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace cadhost::dxf::test {

using Tags = std::vector<std::pair<int, std::string>>;

// Tags with group codes right-aligned in three columns, as AutoCAD writes them.
std::string Write(const Tags& tags, const std::string& lineEnd = "\n");

// A HEADER section with $ACADVER, and $DWGCODEPAGE when given.
Tags Header(const std::string& version, const std::string& codePage = {}, const Tags& more = {});
// A TABLES section with a LAYER table of (name, colour, flags) entries.
struct LayerRow {
    std::string name;
    int colour = 7;
    int flags = 0;
};
Tags LayerTable(const std::vector<LayerRow>& layers);
Tags Section(const std::string& name, const Tags& body);
// A TEXT entity with its handle, layer, insert point, height, rotation and text.
Tags Text(const std::string& handle, const std::string& layer, const std::string& text,
          double x = 0, double y = 0, double height = 2.5, double rotation = 0);
// The OBJECTS section's body as AutoCAD and ezdxf begin it: a named object dictionary (handle
// C) that names a group dictionary (handle D).
Tags ObjectDictionaries();
// Joins the parts and ends the file with EOF.
Tags File(const std::vector<Tags>& parts);

} // namespace cadhost::dxf::test
