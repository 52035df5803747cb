#include "tests/cadhost/dxf/dxf_builder.h"

#include <cstdio>

namespace cadhost::dxf::test {

namespace {

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

} // namespace

std::string Write(const Tags& tags, const std::string& lineEnd) {
    std::string out;
    for (const auto& [code, value] : tags) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d", code);
        out += buf + lineEnd + value + lineEnd;
    }
    return out;
}

Tags Header(const std::string& version, const std::string& codePage, const Tags& more) {
    Tags t = {{9, "$ACADVER"}, {1, version}};
    if (!codePage.empty()) {
        t.push_back({9, "$DWGCODEPAGE"});
        t.push_back({3, codePage});
    }
    t.insert(t.end(), more.begin(), more.end());
    return Section("HEADER", t);
}

Tags LayerTable(const std::vector<LayerRow>& layers) {
    Tags t = {{0, "TABLE"}, {2, "LAYER"}, {70, std::to_string(layers.size())}};
    for (const LayerRow& l : layers) {
        t.insert(t.end(), {{0, "LAYER"},
                           {2, l.name},
                           {70, std::to_string(l.flags)},
                           {62, std::to_string(l.colour)},
                           {6, "CONTINUOUS"}});
    }
    t.push_back({0, "ENDTAB"});
    return Section("TABLES", t);
}

Tags Section(const std::string& name, const Tags& body) {
    Tags t = {{0, "SECTION"}, {2, name}};
    t.insert(t.end(), body.begin(), body.end());
    t.push_back({0, "ENDSEC"});
    return t;
}

Tags Text(const std::string& handle, const std::string& layer, const std::string& text, double x,
          double y, double height, double rotation) {
    return {{0, "TEXT"}, {5, handle},       {8, layer}, {10, Num(x)},       {20, Num(y)},
            {30, "0.0"}, {40, Num(height)}, {1, text},  {50, Num(rotation)}};
}

Tags File(const std::vector<Tags>& parts) {
    Tags t;
    for (const Tags& p : parts)
        t.insert(t.end(), p.begin(), p.end());
    t.push_back({0, "EOF"});
    return t;
}

Tags ObjectDictionaries() {
    return {{0, "DICTIONARY"},
            {5, "C"},
            {330, "0"},
            {100, "AcDbDictionary"},
            {281, "1"},
            {3, "ACAD_GROUP"},
            {350, "D"},
            {0, "DICTIONARY"},
            {5, "D"},
            {330, "C"},
            {100, "AcDbDictionary"},
            {281, "1"}};
}

} // namespace cadhost::dxf::test
