#include "document/standin/ExcelStandIn.h"

#include "base/NumberText.h"
#include "cellcontent/formula/CellNameConverter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

typedef AutomationValue V;
typedef std::vector<AutomationValue> Args;

const HRESULT kRefused = static_cast<HRESULT>(0x800A03ECu);   // the program's "cannot set" error

// The program's default palette, colour numbers 1 to 56, as 0xRRGGBB.
const unsigned kPalette[56] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
    0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
    0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000,
    0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966,
    0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out = "x";
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool Unhex(const std::string& text, std::string& out)
{
    out.clear();
    if (text.empty() || text[0] != 'x' || (text.size() - 1) % 2 != 0)
        return false;
    for (size_t i = 1; i < text.size(); i += 2) {
        auto nibble = [](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            return -1;
        };
        const int hi = nibble(text[i]), lo = nibble(text[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

std::string Show(const V& v)
{
    char buffer[64];
    switch (v.kind) {
    case V::kEmpty: return "empty";
    case V::kNull: return "null";
    case V::kMissing: return "missing";
    case V::kBool: return v.nInt ? "b:1" : "b:0";
    case V::kInt: return "i:" + std::to_string(v.nInt);
    case V::kDouble:
        std::snprintf(buffer, sizeof buffer, "d:%.6g", v.dValue);
        return buffer;
    case V::kCurrency: return "cy";
    case V::kDate: return "date";
    case V::kText: return "s:" + std::string(v.strText.GetString());
    case V::kDecimal: return "dec:" + std::string(v.strText.GetString());
    case V::kObject: return "obj";
    case V::kError: return "err";
    }
    return "?";
}

std::string ShowArgs(const Args& args)
{
    std::string out = "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            out += ",";
        out += Show(args[i]);
    }
    return out + ")";
}

bool IsIn(long long v, std::initializer_list<long long> set)
{
    return std::find(set.begin(), set.end(), v) != set.end();
}

// ---------------------------------------------------------------- the model

struct Border {
    long long lineStyle = -4142;
    long long weight = 2;
    long long colour = 0;
};

struct Cell {
    enum Kind { kEmpty, kNumber, kText, kFormula } kind = kEmpty;
    double number = 0.0;
    std::string text;          // text, or the formula with its "="
    std::string numberFormat = "General";
    std::string fontName = "宋体";
    double fontSize = 11;
    bool bold = false, italic = false, strike = false;
    long long underline = -4142;
    long long fontColour = 0;
    long long colourIndex = -4142;
    long long horizontal = 1;       // general
    long long vertical = -4107;     // bottom
    bool wrap = false;
    bool formatted = false;
    Border borders[4];              // items 1 left, 2 right, 3 top, 4 bottom
};

struct Block {
    int r1, c1, r2, c2;
};

struct Picture {
    std::string name;
    double left, top, width, height;
    size_t bytes;
};

struct Sheet {
    std::string name;
    std::map<std::pair<int, int>, Cell> cells;
    std::map<int, double> widths;
    std::map<int, double> heights;
    std::vector<Block> blocks;
    std::vector<Picture> pictures;

    Cell& At(int r, int c) { return cells[std::make_pair(r, c)]; }
    const Cell* Find(int r, int c) const
    {
        auto it = cells.find(std::make_pair(r, c));
        return it != cells.end() ? &it->second : nullptr;
    }
    double Width(int c) const
    {
        auto it = widths.find(c);
        return it != widths.end() ? it->second : 8.38;
    }
    double Height(int r) const
    {
        auto it = heights.find(r);
        return it != heights.end() ? it->second : 13.5;
    }
    const Block* BlockAt(int r, int c) const
    {
        for (const Block& b : blocks)
            if (r >= b.r1 && r <= b.r2 && c >= b.c1 && c <= b.c2)
                return &b;
        return nullptr;
    }
};

struct Book {
    std::vector<std::shared_ptr<Sheet>> sheets;
    std::string password;
};

bool SaveBook(const Book& book, const std::string& path)
{
    std::ostringstream out;
    out << "KIVOSTANDINBOOK 1\n";
    out << "password " << Hex(book.password) << "\n";
    for (const auto& s : book.sheets) {
        out << "sheet " << Hex(s->name) << "\n";
        for (const auto& w : s->widths)
            out << "col " << w.first << " " << w.second << "\n";
        for (const auto& h : s->heights)
            out << "row " << h.first << " " << h.second << "\n";
        for (const Block& b : s->blocks)
            out << "merge " << b.r1 << " " << b.c1 << " " << b.r2 << " " << b.c2 << "\n";
        for (const Picture& p : s->pictures)
            out << "picture " << Hex(p.name) << " " << p.left << " " << p.top << " " << p.width << " " << p.height
                << " " << p.bytes << "\n";
        for (const auto& entry : s->cells) {
            const Cell& c = entry.second;
            out << "cell " << entry.first.first << " " << entry.first.second << " " << c.kind << " ";
            char number[40];
            std::snprintf(number, sizeof number, "%.17g", c.number);
            out << number << " " << Hex(c.text) << " " << Hex(c.numberFormat) << " " << Hex(c.fontName) << " "
                << c.fontSize << " " << c.bold << " " << c.italic << " " << c.strike << " " << c.underline << " "
                << c.fontColour << " " << c.colourIndex << " " << c.horizontal << " " << c.vertical << " " << c.wrap;
            for (const Border& b : c.borders)
                out << " " << b.lineStyle << " " << b.weight << " " << b.colour;
            out << "\n";
        }
    }
    out << "end\n";
    const std::string temp = path + ".part";
    {
        std::ofstream file(temp.c_str(), std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file << out.str();
        if (!file)
            return false;
    }
    std::remove(path.c_str());
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

bool LoadBook(const std::string& path, Book& book)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file)
        return false;
    std::string line;
    if (!std::getline(file, line) || line != "KIVOSTANDINBOOK 1")
        return false;
    bool ended = false;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        std::string tag;
        in >> tag;
        if (tag == "end") {
            ended = true;
            break;
        }
        if (tag == "password") {
            std::string hex;
            if (!(in >> hex) || !Unhex(hex, book.password))
                return false;
            continue;
        }
        if (tag == "sheet") {
            std::string hex;
            auto sheet = std::make_shared<Sheet>();
            if (!(in >> hex) || !Unhex(hex, sheet->name))
                return false;
            book.sheets.push_back(sheet);
            continue;
        }
        if (book.sheets.empty())
            return false;
        Sheet& s = *book.sheets.back();
        if (tag == "col") {
            int c; double w;
            if (!(in >> c >> w)) return false;
            s.widths[c] = w;
        } else if (tag == "row") {
            int r; double h;
            if (!(in >> r >> h)) return false;
            s.heights[r] = h;
        } else if (tag == "merge") {
            Block b;
            if (!(in >> b.r1 >> b.c1 >> b.r2 >> b.c2)) return false;
            s.blocks.push_back(b);
        } else if (tag == "picture") {
            Picture p;
            std::string hex;
            if (!(in >> hex >> p.left >> p.top >> p.width >> p.height >> p.bytes) || !Unhex(hex, p.name))
                return false;
            s.pictures.push_back(p);
        } else if (tag == "cell") {
            int r, c, kind;
            std::string text, format, font;
            Cell cell;
            if (!(in >> r >> c >> kind >> cell.number >> text >> format >> font >> cell.fontSize >> cell.bold >>
                  cell.italic >> cell.strike >> cell.underline >> cell.fontColour >> cell.colourIndex >>
                  cell.horizontal >> cell.vertical >> cell.wrap))
                return false;
            for (Border& b : cell.borders)
                if (!(in >> b.lineStyle >> b.weight >> b.colour))
                    return false;
            if (!Unhex(text, cell.text) || !Unhex(format, cell.numberFormat) || !Unhex(font, cell.fontName) ||
                kind < 0 || kind > 3)
                return false;
            cell.kind = static_cast<Cell::Kind>(kind);
            cell.formatted = true;
            s.cells[std::make_pair(r, c)] = cell;
        } else {
            return false;
        }
    }
    return ended && !book.sheets.empty();
}

// ---------------------------------------------------------------- objects

class Object : public IAutomationObject {
public:
    Object(StandInLog* log, std::string path) : m_log(log), m_path(std::move(path)) {}

    HRESULT GetProperty(LPCTSTR szName, const Args& args, V& result) override
    {
        result = V();
        const HRESULT hr = Get(szName, args, result);
        Note("get", szName, ShowArgs(args), hr, &result);
        return hr;
    }
    HRESULT PutProperty(LPCTSTR szName, const V& value) override
    {
        const HRESULT hr = Put(szName, value);
        Note("put", szName, " " + Show(value), hr, nullptr);
        return hr;
    }
    HRESULT CallMethod(LPCTSTR szName, const Args& args, V& result) override
    {
        result = V();
        const HRESULT hr = Call(szName, args, result);
        Note("call", szName, ShowArgs(args), hr, &result);
        return hr;
    }

protected:
    virtual HRESULT Get(const std::string& name, const Args& args, V& result) = 0;
    virtual HRESULT Put(const std::string& name, const V& value)
    {
        (void)name; (void)value;
        return kAutomationUnknownName;
    }
    virtual HRESULT Call(const std::string& name, const Args& args, V& result)
    {
        return Get(name, args, result);   // methods and properties with arguments alike
    }

    StandInLog* m_log;
    std::string m_path;

private:
    void Note(const char* verb, const std::string& name, const std::string& tail, HRESULT hr, const V* result)
    {
        std::string line = std::string(verb) + " " + m_path + "." + name + tail;
        if (hr < 0)
            line += " REFUSED";
        else if (result != nullptr && result->kind != V::kEmpty && result->kind != V::kObject)
            line += " -> " + Show(*result);
        if (m_log != nullptr)
            m_log->Add(line);
    }
};

bool NumberArg(const Args& args, size_t i, long long& out)
{
    if (i >= args.size() || !args[i].IsNumeric())
        return false;
    out = args[i].AsInt();
    return true;
}

class RangeObject;

class FontObject : public Object {
public:
    FontObject(StandInLog* log, std::shared_ptr<Sheet> sheet, Block area, std::string path)
        : Object(log, std::move(path)), m_sheet(std::move(sheet)), m_area(area) {}

protected:
    HRESULT Get(const std::string& name, const Args&, V& r) override
    {
        const Cell* c = m_sheet->Find(m_area.r1, m_area.c1);
        const Cell def;
        if (c == nullptr)
            c = &def;
        if (name == "Name") r = V::Text(c->fontName.c_str());
        else if (name == "Size") r = V::Double(c->fontSize);
        else if (name == "Bold") r = V::Bool(c->bold);
        else if (name == "Italic") r = V::Bool(c->italic);
        else if (name == "Strikethrough") r = V::Bool(c->strike);
        else if (name == "Underline") r = V::Int(c->underline);
        else if (name == "Color") r = V::Double(static_cast<double>(c->fontColour));
        else return kAutomationUnknownName;
        return kAutomationOk;
    }
    HRESULT Put(const std::string& name, const V& v) override
    {
        if (name == "Name" && v.kind != V::kText)
            return kRefused;
        if (name != "Name" && !v.IsNumeric())
            return kRefused;
        const long long n = v.AsInt();
        if (name == "Size" && (v.AsDouble() < 1 || v.AsDouble() > 409))
            return kRefused;
        if (name == "Underline" && !IsIn(n, {-4142, 1, 2, -4119, 4, 5}))
            return kRefused;
        if (name == "Color" && (n < 0 || n > 0xFFFFFF))
            return kRefused;
        if ((name != "Name" && name != "Size" && name != "Bold" && name != "Italic" &&
                               name != "Strikethrough" && name != "Underline" && name != "Color"))
            return kAutomationUnknownName;
        for (int r = m_area.r1; r <= m_area.r2; ++r) {
            for (int c = m_area.c1; c <= m_area.c2; ++c) {
                Cell& cell = m_sheet->At(r, c);
                cell.formatted = true;
                if (name == "Name") cell.fontName = v.strText.GetString();
                else if (name == "Size") cell.fontSize = v.AsDouble();
                else if (name == "Bold") cell.bold = v.IsTrue();
                else if (name == "Italic") cell.italic = v.IsTrue();
                else if (name == "Strikethrough") cell.strike = v.IsTrue();
                else if (name == "Underline") cell.underline = n == 2 ? 2 : -4142;
                else if (name == "Color") cell.fontColour = n;
            }
        }
        return kAutomationOk;
    }

private:
    std::shared_ptr<Sheet> m_sheet;
    Block m_area;
};

class InteriorObject : public Object {
public:
    InteriorObject(StandInLog* log, std::shared_ptr<Sheet> sheet, Block area, std::string path)
        : Object(log, std::move(path)), m_sheet(std::move(sheet)), m_area(area) {}

protected:
    HRESULT Get(const std::string& name, const Args&, V& r) override
    {
        const Cell* c = m_sheet->Find(m_area.r1, m_area.c1);
        const long long index = c != nullptr ? c->colourIndex : -4142;
        if (name == "Color")
            r = V::Double(static_cast<double>(index >= 1 && index <= 56 ? StandInPaletteColour(static_cast<int>(index))
                                                                        : 0xFFFFFF));
        else if (name == "ColorIndex")
            r = V::Int(index);
        else
            return kAutomationUnknownName;
        return kAutomationOk;
    }
    HRESULT Put(const std::string& name, const V& v) override
    {
        if (name != "ColorIndex")
            return kAutomationUnknownName;
        const long long n = v.AsInt();
        if (!v.IsNumeric() || !((n >= 1 && n <= 56) || n == -4142 || n == -4105))
            return kRefused;
        for (int r = m_area.r1; r <= m_area.r2; ++r)
            for (int c = m_area.c1; c <= m_area.c2; ++c) {
                m_sheet->At(r, c).colourIndex = n;
                m_sheet->At(r, c).formatted = true;
            }
        return kAutomationOk;
    }

private:
    std::shared_ptr<Sheet> m_sheet;
    Block m_area;
};

class BorderObject : public Object {
public:
    BorderObject(StandInLog* log, std::shared_ptr<Sheet> sheet, Block area, int item, std::string path)
        : Object(log, std::move(path)), m_sheet(std::move(sheet)), m_area(area), m_item(item) {}

protected:
    HRESULT Get(const std::string& name, const Args&, V& r) override
    {
        const Cell* c = m_sheet->Find(m_area.r1, m_area.c1);
        const Border def;
        const Border& b = c != nullptr && m_item <= 4 ? c->borders[m_item - 1] : def;
        if (name == "LineStyle") r = V::Int(b.lineStyle);
        else if (name == "Weight") r = V::Int(b.weight);
        else if (name == "Color") r = V::Double(static_cast<double>(b.colour));
        else return kAutomationUnknownName;
        return kAutomationOk;
    }
    HRESULT Put(const std::string& name, const V& v) override
    {
        if (!v.IsNumeric())
            return kRefused;
        const long long n = v.AsInt();
        if (name == "LineStyle" && !IsIn(n, {1, -4115, -4118, 4, 5, -4119, 13, -4142}))
            return kRefused;
        if (name == "Weight" && !IsIn(n, {1, 2, -4138, 4}))
            return kRefused;
        if (name == "Color" && (n < 0 || n > 0xFFFFFF))
            return kRefused;
        if (name != "LineStyle" && name != "Weight" && name != "Color")
            return kAutomationUnknownName;
        if (m_item > 4)
            return kAutomationOk;
        for (int r = m_area.r1; r <= m_area.r2; ++r)
            for (int c = m_area.c1; c <= m_area.c2; ++c) {
                Cell& cell = m_sheet->At(r, c);
                cell.formatted = true;
                Border& b = cell.borders[m_item - 1];
                if (name == "LineStyle") b.lineStyle = n;
                else if (name == "Weight") b.weight = n;
                else b.colour = n;
            }
        return kAutomationOk;
    }

private:
    std::shared_ptr<Sheet> m_sheet;
    Block m_area;
    int m_item;
};

class BordersObject : public Object {
public:
    BordersObject(StandInLog* log, std::shared_ptr<Sheet> sheet, Block area, std::string path)
        : Object(log, std::move(path)), m_sheet(std::move(sheet)), m_area(area) {}

protected:
    HRESULT Get(const std::string& name, const Args& args, V& r) override
    {
        long long item = 0;
        if (name != "Item")
            return kAutomationUnknownName;
        if (!NumberArg(args, 0, item) || item < 1 || item > 12)
            return kRefused;
        r = V::Object(std::make_shared<BorderObject>(m_log, m_sheet, m_area, static_cast<int>(item),
                                                     m_path + ".Item(" + std::to_string(item) + ")"));
        return kAutomationOk;
    }

private:
    std::shared_ptr<Sheet> m_sheet;
    Block m_area;
};

class ShapesObject : public Object {
public:
    ShapesObject(StandInLog* log, std::shared_ptr<Sheet> sheet, std::string path)
        : Object(log, std::move(path)), m_sheet(std::move(sheet)) {}

protected:
    HRESULT Get(const std::string& name, const Args& args, V& r) override
    {
        if (name == "Count") {
            r = V::Int(static_cast<long long>(m_sheet->pictures.size()));
            return kAutomationOk;
        }
        if (name != "AddPicture")
            return kAutomationUnknownName;
        if (args.size() != 7 || args[0].kind != V::kText)
            return kRefused;
        // The picture is read at once, as the program does: the file must be there.
        const std::string file = args[0].strText.GetString();
        std::ifstream in(file.c_str(), std::ios::binary);
        if (!in)
            return kRefused;
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.empty())
            return kRefused;
        Picture p;
        const size_t slash = file.find_last_of("\\/");
        p.name = slash == std::string::npos ? file : file.substr(slash + 1);
        p.left = args[3].AsDouble();
        p.top = args[4].AsDouble();
        p.width = args[5].AsDouble();
        p.height = args[6].AsDouble();
        p.bytes = bytes.size();
        m_sheet->pictures.push_back(p);
        r = V::Object(std::make_shared<ShapesObject>(m_log, m_sheet, m_path + ".Shape"));
        return kAutomationOk;
    }

private:
    std::shared_ptr<Sheet> m_sheet;
};

std::string RangeName(const Block& b)
{
    CCellNameConverter names;
    std::string first = names.ColumnToLetters(b.c1).GetString() + std::to_string(b.r1);
    if (b.r1 == b.r2 && b.c1 == b.c2)
        return first;
    return first + ":" + names.ColumnToLetters(b.c2).GetString() + std::to_string(b.r2);
}

std::string NumberText(double d)
{
    if (d == std::floor(d) && std::fabs(d) < 1e15)
        return std::to_string(static_cast<long long>(d));
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", d);
    return buffer;
}

class RangeObject : public Object {
public:
    enum Lines { kCells, kRows, kColumns };
    RangeObject(StandInLog* log, std::shared_ptr<Sheet> sheet, Block area, Lines lines = kCells)
        : Object(log, "Range(" + RangeName(area) + ")" + (lines == kRows ? ".Rows" : lines == kColumns ? ".Columns" : "")),
          m_sheet(std::move(sheet)), m_area(area), m_lines(lines) {}

protected:
    HRESULT Get(const std::string& name, const Args& args, V& r) override
    {
        const Cell* c = m_sheet->Find(m_area.r1, m_area.c1);
        const Cell def;
        if (c == nullptr)
            c = &def;
        if (name == "Value" || name == "Value2") {
            if (c->kind == Cell::kNumber) r = V::Double(c->number);
            else if (c->kind == Cell::kText) r = V::Text(c->text.c_str());
        } else if (name == "Formula" || name == "FormulaR1C1") {
            if (c->kind == Cell::kNumber) r = V::Text(NumberText(c->number).c_str());
            else r = V::Text(c->text.c_str());
        } else if (name == "HasFormula") {
            r = V::Bool(c->kind == Cell::kFormula);
        } else if (name == "NumberFormat") {
            r = V::Text(c->numberFormat.c_str());
        } else if (name == "ColumnWidth") {
            r = V::Double(m_sheet->Width(m_area.c1));
        } else if (name == "RowHeight") {
            r = V::Double(m_sheet->Height(m_area.r1));
        } else if (name == "MergeCells") {
            r = V::Bool(m_sheet->BlockAt(m_area.r1, m_area.c1) != nullptr);
        } else if (name == "MergeArea") {
            const Block* b = m_sheet->BlockAt(m_area.r1, m_area.c1);
            r = V::Object(std::make_shared<RangeObject>(m_log, m_sheet, b != nullptr ? *b : m_area));
        } else if (name == "Row") {
            r = V::Int(m_area.r1);
        } else if (name == "Column") {
            r = V::Int(m_area.c1);
        } else if (name == "Rows") {
            r = V::Object(std::make_shared<RangeObject>(m_log, m_sheet, m_area, kRows));
        } else if (name == "Columns") {
            r = V::Object(std::make_shared<RangeObject>(m_log, m_sheet, m_area, kColumns));
        } else if (name == "Count") {
            const long long rows = m_area.r2 - m_area.r1 + 1, cols = m_area.c2 - m_area.c1 + 1;
            r = V::Int(m_lines == kRows ? rows : m_lines == kColumns ? cols : rows * cols);
        } else if (name == "Font") {
            r = V::Object(std::make_shared<FontObject>(m_log, m_sheet, m_area, m_path + ".Font"));
        } else if (name == "Interior") {
            r = V::Object(std::make_shared<InteriorObject>(m_log, m_sheet, m_area, m_path + ".Interior"));
        } else if (name == "Borders") {
            r = V::Object(std::make_shared<BordersObject>(m_log, m_sheet, m_area, m_path + ".Borders"));
        } else if (name == "HorizontalAlignment") {
            static const std::map<long long, long long> back = {{2, -4131}, {3, -4108}, {4, -4152}};
            auto it = back.find(c->horizontal);
            r = V::Int(it != back.end() ? it->second : c->horizontal);
        } else if (name == "VerticalAlignment") {
            static const std::map<long long, long long> back = {{1, -4160}, {2, -4108}, {3, -4107}};
            auto it = back.find(c->vertical);
            r = V::Int(it != back.end() ? it->second : c->vertical);
        } else if (name == "WrapText") {
            r = V::Bool(c->wrap);
        } else if (name == "Left" || name == "Top" || name == "Width" || name == "Height") {
            // Points: a column of width w is (7 w + 5) pixels, a pixel 0.75 points.
            double left = 0, top = 0, width = 0, height = 0;
            for (int col = 1; col < m_area.c1; ++col) left += (7 * m_sheet->Width(col) + 5) * 0.75;
            for (int col = m_area.c1; col <= m_area.c2; ++col) width += (7 * m_sheet->Width(col) + 5) * 0.75;
            for (int row = 1; row < m_area.r1; ++row) top += m_sheet->Height(row);
            for (int row = m_area.r1; row <= m_area.r2; ++row) height += m_sheet->Height(row);
            r = V::Double(name == "Left" ? left : name == "Top" ? top : name == "Width" ? width : height);
        } else if (name == "Calculate") {
        } else if (name == "Merge") {
            if (!args.empty() && args[0].kind != V::kMissing && !args[0].IsNumeric())
                return kRefused;
            m_sheet->blocks.erase(std::remove_if(m_sheet->blocks.begin(), m_sheet->blocks.end(),
                                                 [&](const Block& b) {
                                                     return !(b.r2 < m_area.r1 || b.r1 > m_area.r2 ||
                                                              b.c2 < m_area.c1 || b.c1 > m_area.c2);
                                                 }),
                                  m_sheet->blocks.end());
            if (m_area.r2 > m_area.r1 || m_area.c2 > m_area.c1)
                m_sheet->blocks.push_back(m_area);
        } else {
            return kAutomationUnknownName;
        }
        (void)args;
        return kAutomationOk;
    }

    HRESULT Put(const std::string& name, const V& v) override
    {
        if (name == "ColumnWidth" || name == "RowHeight") {
            const double d = v.AsDouble();
            if (!v.IsNumeric() || d < 0 || d > (name == "ColumnWidth" ? 255 : 409))
                return kRefused;
            if (name == "ColumnWidth")
                for (int c = m_area.c1; c <= m_area.c2; ++c) m_sheet->widths[c] = d;
            else
                for (int r = m_area.r1; r <= m_area.r2; ++r) m_sheet->heights[r] = d;
            return kAutomationOk;
        }
        if (name == "HorizontalAlignment" && !(v.IsNumeric() && IsIn(v.AsInt(), {1, 2, 3, 4, 5, 6, 7, -4108, -4131, -4152, -4130, -4117})))
            return kRefused;
        if (name == "VerticalAlignment" && !(v.IsNumeric() && IsIn(v.AsInt(), {1, 2, 3, 4, 5, -4160, -4108, -4107, -4130, -4117})))
            return kRefused;
        if (name == "NumberFormat" && v.kind != V::kText)
            return kRefused;
        static const char* const known[] = {"Value", "Value2", "Formula", "FormulaR1C1", "NumberFormat",
                                            "HorizontalAlignment", "VerticalAlignment", "WrapText"};
        if (std::find_if(std::begin(known), std::end(known), [&](const char* k) { return name == k; }) ==
            std::end(known))
            return kAutomationUnknownName;
        for (int r = m_area.r1; r <= m_area.r2; ++r) {
            for (int c = m_area.c1; c <= m_area.c2; ++c) {
                Cell& cell = m_sheet->At(r, c);
                cell.formatted = true;
                if (name == "NumberFormat") cell.numberFormat = v.strText.GetString();
                else if (name == "HorizontalAlignment") cell.horizontal = v.AsInt();
                else if (name == "VerticalAlignment") cell.vertical = v.AsInt();
                else if (name == "WrapText") cell.wrap = v.IsTrue();
                else SetContent(cell, name, v);
            }
        }
        return kAutomationOk;
    }

private:
    static void SetContent(Cell& cell, const std::string& name, const V& v)
    {
        if (v.IsNumeric()) {
            cell.kind = Cell::kNumber;
            cell.number = v.AsDouble();
            cell.text.clear();
            return;
        }
        const std::string text = v.kind == V::kText ? v.strText.GetString() : "";
        if (text.empty() && v.kind != V::kText) {
            cell.kind = Cell::kEmpty;
            cell.text.clear();
            return;
        }
        const bool asText = cell.numberFormat == "@" && name != "Formula";
        if (!asText && !text.empty() && text[0] == '=') {
            cell.kind = Cell::kFormula;
            cell.text = text;
            return;
        }
        char* end = nullptr;
        const double d = std::strtod(text.c_str(), &end);
        if (!asText && !text.empty() && end != nullptr && *end == '\0') {
            cell.kind = Cell::kNumber;
            cell.number = d;
            cell.text.clear();
            return;
        }
        cell.kind = text.empty() ? Cell::kEmpty : Cell::kText;
        cell.text = text;
    }

    std::shared_ptr<Sheet> m_sheet;
    Block m_area;
    Lines m_lines;
};

bool ParseName(const V& v, int& row, int& col)
{
    if (v.kind != V::kText)
        return false;
    return CCellNameConverter().ParseCellName(v.strText, row, col) && row >= 1 && col >= 1 && row <= 1048576 &&
           col <= 16384;
}

class WorksheetObject : public Object {
public:
    WorksheetObject(StandInLog* log, std::shared_ptr<Sheet> sheet)
        : Object(log, "Sheet(" + sheet->name + ")"), m_sheet(std::move(sheet)) {}

protected:
    HRESULT Get(const std::string& name, const Args& args, V& r) override
    {
        if (name == "Range") {
            int r1, c1, r2, c2;
            if (args.empty() || !ParseName(args[0], r1, c1))
                return kRefused;
            r2 = r1;
            c2 = c1;
            if (args.size() > 1 && args[1].kind != V::kMissing && !ParseName(args[1], r2, c2))
                return kRefused;
            Block b = {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
            r = V::Object(std::make_shared<RangeObject>(m_log, m_sheet, b));
        } else if (name == "UsedRange") {
            Block b = {0, 0, 0, 0};
            for (const auto& e : m_sheet->cells) {
                if (e.second.kind == Cell::kEmpty && !e.second.formatted)
                    continue;
                const int row = e.first.first, col = e.first.second;
                if (b.r1 == 0) {
                    b = {row, col, row, col};
                } else {
                    b.r1 = std::min(b.r1, row); b.c1 = std::min(b.c1, col);
                    b.r2 = std::max(b.r2, row); b.c2 = std::max(b.c2, col);
                }
            }
            if (b.r1 == 0)
                b = {1, 1, 1, 1};
            r = V::Object(std::make_shared<RangeObject>(m_log, m_sheet, b));
        } else if (name == "Shapes") {
            r = V::Object(std::make_shared<ShapesObject>(m_log, m_sheet, m_path + ".Shapes"));
        } else if (name == "Calculate") {
        } else if (name == "Name") {
            r = V::Text(m_sheet->name.c_str());
        } else {
            return kAutomationUnknownName;
        }
        return kAutomationOk;
    }

private:
    std::shared_ptr<Sheet> m_sheet;
};

class SheetsObject : public Object {
public:
    SheetsObject(StandInLog* log, std::shared_ptr<Book> book) : Object(log, "Sheets"), m_book(std::move(book)) {}

protected:
    HRESULT Get(const std::string& name, const Args& args, V& r) override
    {
        if (name == "Count") {
            r = V::Int(static_cast<long long>(m_book->sheets.size()));
            return kAutomationOk;
        }
        if (name != "Item")
            return kAutomationUnknownName;
        long long index = 0;
        if (!NumberArg(args, 0, index) || index < 1 || index > static_cast<long long>(m_book->sheets.size()))
            return static_cast<HRESULT>(0x8002000Bu);   // DISP_E_BADINDEX
        r = V::Object(std::make_shared<WorksheetObject>(m_log, m_book->sheets[static_cast<size_t>(index - 1)]));
        return kAutomationOk;
    }

private:
    std::shared_ptr<Book> m_book;
};

class WorkbookObject : public Object {
public:
    WorkbookObject(StandInLog* log, std::shared_ptr<Book> book) : Object(log, "Workbook"), m_book(std::move(book)) {}

protected:
    HRESULT Get(const std::string& name, const Args& args, V& r) override
    {
        if (name == "Sheets" || name == "Worksheets") {
            r = V::Object(std::make_shared<SheetsObject>(m_log, m_book));
        } else if (name == "SaveAs") {
            if (args.empty() || args[0].kind != V::kText)
                return kRefused;
            if (args.size() > 2 && args[2].kind == V::kText)
                m_book->password = args[2].strText.GetString();
            if (!SaveBook(*m_book, args[0].strText.GetString()))
                return kRefused;
        } else if (name == "Close") {
        } else {
            return kAutomationUnknownName;
        }
        return kAutomationOk;
    }

private:
    std::shared_ptr<Book> m_book;
};

class WorkbooksObject : public Object {
public:
    explicit WorkbooksObject(StandInLog* log) : Object(log, "Workbooks") {}

protected:
    HRESULT Get(const std::string& name, const Args& args, V& r) override
    {
        if (name == "Add") {
            auto book = std::make_shared<Book>();
            auto sheet = std::make_shared<Sheet>();
            sheet->name = "Sheet1";
            book->sheets.push_back(sheet);
            r = V::Object(std::make_shared<WorkbookObject>(m_log, book));
        } else if (name == "Open") {
            if (args.empty() || args[0].kind != V::kText)
                return kRefused;
            auto book = std::make_shared<Book>();
            if (!LoadBook(args[0].strText.GetString(), *book))
                return kRefused;
            const std::string given = args.size() > 4 && args[4].kind == V::kText ? args[4].strText.GetString() : "";
            if (book->password != given)
                return kRefused;
            r = V::Object(std::make_shared<WorkbookObject>(m_log, book));
        } else if (name == "Close" || name == "Count") {
        } else {
            return kAutomationUnknownName;
        }
        return kAutomationOk;
    }
};

class ApplicationObject : public Object {
public:
    explicit ApplicationObject(StandInLog* log) : Object(log, "Application") {}

protected:
    HRESULT Get(const std::string& name, const Args&, V& r) override
    {
        if (name == "Workbooks")
            r = V::Object(std::make_shared<WorkbooksObject>(m_log));
        else if (name != "Quit")
            return kAutomationUnknownName;
        return kAutomationOk;
    }
    HRESULT Put(const std::string& name, const V& v) override
    {
        if (name != "Visible" && name != "DisplayAlerts")
            return kAutomationUnknownName;
        return v.IsNumeric() ? kAutomationOk : kRefused;
    }
};

}  // namespace

void StandInLog::Add(const std::string& line)
{
    lines.push_back(line);
    if (!file.empty()) {
        std::ofstream out(file.c_str(), std::ios::binary | std::ios::app);
        out << line << "\n";
    }
}

int StandInLog::Count(const std::string& text) const
{
    int n = 0;
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos)
            ++n;
    return n;
}

AutomationObjectPtr CreateStandInApplication(StandInLog* log)
{
    return std::make_shared<ApplicationObject>(log);
}

COLORREF StandInPaletteColour(int index)
{
    if (index < 1 || index > 56)
        return 0xFFFFFF;
    const unsigned c = kPalette[index - 1];
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}
