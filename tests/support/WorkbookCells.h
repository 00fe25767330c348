// What a written workbook holds, read back for tests: a member of the archive (through the
// system's unzip) and the cells of a sheet, shared strings resolved.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct WorkbookCell {
    std::string text;      // the number's text, the string, or "" for an empty cell
    bool isString = false;
    int style = 0;         // index into the styles' cellXfs
};

inline std::string WorkbookMember(const std::filesystem::path& book, const std::string& name) {
    const std::string command = "unzip -p '" + book.string() + "' '" + name + "' 2>/dev/null";
    std::string out;
    if (std::FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

inline std::string XmlUnescaped(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += 1)
            s.replace(at, std::string(from).size(), to);
    return s;
}

// The value of attribute `name` within the tag at `tag`, or "".
inline std::string XmlAttribute(const std::string& xml, std::size_t tag, const std::string& name) {
    const std::size_t end = xml.find('>', tag);
    const std::size_t at = xml.find(" " + name + "=\"", tag);
    if (at == std::string::npos || at > end) return {};
    const std::size_t from = at + name.size() + 3;
    return xml.substr(from, xml.find('"', from) - from);
}

inline std::vector<std::string> WorkbookStrings(const std::filesystem::path& book) {
    const std::string xml = WorkbookMember(book, "xl/sharedStrings.xml");
    std::vector<std::string> strings;
    for (std::size_t at = 0; (at = xml.find("<si>", at)) != std::string::npos;) {
        const std::size_t end = xml.find("</si>", at);
        std::string text;
        for (std::size_t t = xml.find("<t", at); t < end; t = xml.find("<t", t + 1)) {
            if (xml[t + 2] != '>' && xml[t + 2] != ' ') continue;
            const std::size_t from = xml.find('>', t) + 1;
            text += xml.substr(from, xml.find("</t>", from) - from);
        }
        strings.push_back(XmlUnescaped(text));
        at = end;
    }
    return strings;
}

// Sheet `index` (1 = the first), by cell reference ("B7").
inline std::map<std::string, WorkbookCell> WorkbookSheet(const std::filesystem::path& book, int index) {
    const std::vector<std::string> strings = WorkbookStrings(book);
    const std::string xml =
        WorkbookMember(book, "xl/worksheets/sheet" + std::to_string(index) + ".xml");
    std::map<std::string, WorkbookCell> cells;
    for (std::size_t at = 0; (at = xml.find("<c r=\"", at)) != std::string::npos;) {
        WorkbookCell cell;
        const std::string style = XmlAttribute(xml, at, "s");
        cell.style = style.empty() ? 0 : std::stoi(style);
        const std::size_t tagEnd = xml.find('>', at);
        if (xml[tagEnd - 1] != '/') {
            const std::size_t v = xml.find("<v>", at), end = xml.find("</v>", at);
            cell.text = xml.substr(v + 3, end - v - 3);
            if (XmlAttribute(xml, at, "t") == "s") {
                cell.isString = true;
                cell.text = strings.at(std::stoul(cell.text));
            }
        }
        cells[XmlAttribute(xml, at, "r")] = cell;
        at = tagEnd;
    }
    return cells;
}

// The cells beside labels: column B of every row whose column A holds a text, by that text.
inline std::map<std::string, WorkbookCell> WorkbookLabelled(const std::map<std::string, WorkbookCell>& sheet) {
    std::map<std::string, WorkbookCell> labelled;
    for (const auto& [ref, cell] : sheet)
        if (ref[0] == 'A' && cell.isString) {
            const auto value = sheet.find("B" + ref.substr(1));
            if (value != sheet.end()) labelled[cell.text] = value->second;
        }
    return labelled;
}

// The number format of a cell style: its code, the built-in ones by their number.
inline std::string WorkbookNumberFormat(const std::filesystem::path& book, int style) {
    const std::string xml = WorkbookMember(book, "xl/styles.xml");
    std::size_t at = xml.find("<cellXfs");
    for (int i = 0; i <= style && at != std::string::npos; ++i) at = xml.find("<xf ", at + 1);
    if (at == std::string::npos) return {};
    const std::string id = XmlAttribute(xml, at, "numFmtId");
    for (std::size_t f = xml.find("<numFmt "); f != std::string::npos; f = xml.find("<numFmt ", f + 1))
        if (XmlAttribute(xml, f, "numFmtId") == id) return XmlUnescaped(XmlAttribute(xml, f, "formatCode"));
    return "built-in " + id;
}
