#include "adapters/xml/xmllite_parser.h"

#include <windows.h>
#include <xmllite.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <utility>
#include <string>
#include <vector>

namespace quorran {
namespace {

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// CreateXmlReader from xmllite.dll, looked up once; null when Windows lacks it.
CreateXmlReaderFunction create_xml_reader() {
    static const auto function = [] {
        const HMODULE module = LoadLibraryW(L"xmllite.dll");
        return module ? reinterpret_cast<CreateXmlReaderFunction>(
                            reinterpret_cast<void*>(GetProcAddress(module, "CreateXmlReader")))
                      : nullptr;
    }();
    return function;
}

// The document's bytes as the stream XmlLite reads. It lives on parse()'s stack, and the
// reader lets go of it before parse() returns.
class MemoryStream final : public ISequentialStream {
public:
    explicit MemoryStream(std::string_view bytes) : bytes_(bytes) {}
    virtual ~MemoryStream() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == __uuidof(IUnknown) || id == __uuidof(ISequentialStream)) {
            *object = static_cast<ISequentialStream*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE Read(void* into, ULONG wanted, ULONG* given) override {
        const std::size_t count = std::min<std::size_t>(wanted, bytes_.size() - at_);
        std::memcpy(into, bytes_.data() + at_, count);
        at_ += count;
        if (given) *given = static_cast<ULONG>(count);
        return count == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    ULONG references_ = 1;
};

// Holds one COM reference, released when it goes.
template <class T>
struct Reference {
    T* object = nullptr;
    ~Reference() {
        if (object) object->Release();
    }
};

constexpr std::wstring_view XMLNS = L"http://www.w3.org/2000/xmlns/";

// UTF-8 texts of one event, reused from event to event (a deque, so that the texts
// already given stay where they are when more are added).
class Texts {
public:
    void clear() { used_ = 0; }
    std::string_view add(const wchar_t* text, UINT length) {
        if (used_ == texts_.size()) texts_.emplace_back();
        std::string& utf8 = texts_[used_++];
        const int size = length ? WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr) : 0;
        utf8.resize(static_cast<std::size_t>(size));
        if (size) WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), size, nullptr, nullptr);
        return utf8;
    }

private:
    std::deque<std::string> texts_;
    std::size_t used_ = 0;
};

// A document's characters as code units: UTF-16 ones when it starts as UTF-16 does,
// otherwise bytes. The adapter looks only for ASCII characters, which both hold as such.
class Units {
public:
    explicit Units(std::string_view bytes)
        : bytes_(bytes),
          big_(bytes.starts_with("\xFE\xFF") || bytes.starts_with(std::string_view("\0<", 2))),
          step_(big_ || bytes.starts_with("\xFF\xFE") || bytes.starts_with(std::string_view("<\0", 2)) ? 2 : 1) {}
    std::size_t size() const { return bytes_.size() / step_; }
    unsigned operator[](std::size_t i) const {
        const auto byte = [this](std::size_t k) { return static_cast<unsigned>(static_cast<unsigned char>(bytes_[k])); };
        const std::size_t at = i * step_;
        return step_ == 1 ? byte(at) : big_ ? byte(at) << 8 | byte(at + 1) : byte(at + 1) << 8 | byte(at);
    }
    bool big_endian_utf16() const { return big_; }
    // Whether the ASCII text starts at unit i.
    bool at(std::size_t i, std::string_view text) const {
        for (std::size_t k = 0; k < text.size(); ++k)
            if (i + k >= size() || (*this)[i + k] != static_cast<unsigned char>(text[k])) return false;
        return true;
    }
    // XML's line ends: LF, CR LF, or CR alone.
    bool line_end(std::size_t i) const {
        return (*this)[i] == '\n' || ((*this)[i] == '\r' && !(i + 1 < size() && (*this)[i + 1] == '\n'));
    }

private:
    std::string_view bytes_;
    bool big_;
    std::size_t step_;
};

// The line a document's last character is on.
std::size_t last_line(const Units& units) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < units.size(); ++i) line += units.line_end(i);
    return line;
}

// The line of the first entity reference that is neither one of XML's five nor a character
// reference, outside comments, CDATA sections and processing instructions; 0 when none.
// Without a DTD no other entity exists, but Wine's XmlLite (Wine 8) passes such a
// reference on as text where Windows' reports an error.
std::size_t undeclared_entity(const Units& units) {
    std::size_t line = 1;
    const auto skip_to = [&](std::size_t& i, std::string_view end) {
        for (; i < units.size() && !units.at(i, end); ++i) line += units.line_end(i);
    };
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units.at(i, "<!--")) skip_to(i, "-->");
        else if (units.at(i, "<![CDATA[")) skip_to(i, "]]>");
        else if (units.at(i, "<?")) skip_to(i, "?>");
        else if (units[i] == '&' && !(units.at(i + 1, "#") || units.at(i + 1, "lt;") || units.at(i + 1, "gt;") ||
                                      units.at(i + 1, "amp;") || units.at(i + 1, "quot;") || units.at(i + 1, "apos;")))
            return line;
        if (i < units.size()) line += units.line_end(i);
    }
    return 0;
}

// UTF-16 with its most significant byte first as UTF-16 with its least first, the one
// Wine's XmlLite (Wine 8) reads: the same characters, byte pairs swapped.
std::string little_endian_utf16(std::string_view bytes) {
    std::string swapped(bytes);
    for (std::size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
    return swapped;
}

// Wine's XmlLite (Wine 8) does not report a document that ends before its elements are
// closed: it makes up their end elements, each placed at its start element, or, when the
// document ends in blanks, reports the same blank node over and over. The adapter knows
// both by where the nodes are, and reports what Windows' XmlLite reports: an error, which
// the adapter places on the document's last line, as expat does (MX_E_INPUTEND too).
constexpr const char* CUT_SHORT = "the document ends before its elements are closed";
constexpr const char* UNDECLARED_ENTITY = "a reference to an entity that is not declared";

struct Place {
    UINT line = 0, position = 0;
    XmlNodeType type = XmlNodeType_None;
    bool operator==(const Place&) const = default;
    bool after(const Place& other) const {
        return line > other.line || (line == other.line && position > other.position);
    }
};

std::string hresult_text(HRESULT result) {
    char text[32];
    std::snprintf(text, sizeof text, "XmlLite error 0x%08lX", static_cast<unsigned long>(result));
    return text;
}

}  // namespace

std::optional<XmlStop> XmlLiteParser::parse(std::string_view document, XmlHandler& handler) {
    const CreateXmlReaderFunction create = create_xml_reader();
    if (!create) return XmlStop{false, "xmllite.dll cannot be loaded", 0};
    const Units units(document);
    const std::string swapped = units.big_endian_utf16() ? little_endian_utf16(document) : std::string();
    MemoryStream stream(units.big_endian_utf16() ? std::string_view(swapped) : document);
    Reference<IXmlReader> reader;
    if (FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader.object), nullptr)) ||
        FAILED(reader.object->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
        FAILED(reader.object->SetInput(&stream)))
        return XmlStop{false, "XmlLite cannot start", 0};
    IXmlReader& r = *reader.object;
    const auto line = [&r] {
        UINT number = 0;
        r.GetLineNumber(&number);
        return static_cast<std::size_t>(number);
    };

    Texts texts;
    std::vector<XmlAttribute> attributes;
    std::vector<Place> open;  // where each element open starts
    Place last;
    bool checked_entities = false;
    const auto place = [&r](XmlNodeType type) {
        Place p;
        p.type = type;
        r.GetLineNumber(&p.line);
        r.GetLinePosition(&p.position);
        return p;
    };
    const wchar_t* text = nullptr;
    UINT length = 0;
    for (;;) {
        XmlNodeType type = XmlNodeType_None;
        const HRESULT read = r.Read(&type);
        if (read == S_FALSE) break;
        if (read == static_cast<HRESULT>(WC_E_DTDPROHIBITED)) {
            if (!handler.document_type()) return XmlStop{true, {}, line()};
            return XmlStop{false, hresult_text(read), line()};
        }
        if (read == static_cast<HRESULT>(MX_E_INPUTEND)) return XmlStop{false, CUT_SHORT, last_line(units)};
        if (FAILED(read)) return XmlStop{false, hresult_text(read), line()};
        const Place here = place(type);
        if (here == last || (type == XmlNodeType_EndElement && (open.empty() || !here.after(open.back()))))
            return XmlStop{false, CUT_SHORT, last_line(units)};
        last = here;
        bool carry_on = true;
        texts.clear();
        switch (type) {
        case XmlNodeType_Element: {
            r.GetNamespaceUri(&text, &length);
            const std::string_view ns = texts.add(text, length);
            r.GetLocalName(&text, &length);
            const std::string_view local = texts.add(text, length);
            const bool empty = r.IsEmptyElement();
            attributes.clear();
            for (HRESULT more = r.MoveToFirstAttribute(); more == S_OK; more = r.MoveToNextAttribute()) {
                r.GetNamespaceUri(&text, &length);
                if (std::wstring_view(text, length) == XMLNS) continue;
                XmlAttribute attribute;
                attribute.ns = texts.add(text, length);
                r.GetLocalName(&text, &length);
                attribute.local = texts.add(text, length);
                r.GetValue(&text, &length);
                attribute.value = texts.add(text, length);
                attributes.push_back(attribute);
            }
            r.MoveToElement();
            carry_on = handler.start_element(ns, local, attributes) && (!empty || handler.end_element());
            if (!empty) open.push_back(here);
            break;
        }
        case XmlNodeType_EndElement:
            open.pop_back();
            carry_on = handler.end_element();
            break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace:
            if (open.empty()) break;  // outside the root element, as expat does not report it
            r.GetValue(&text, &length);
            if (std::wstring_view(text, length).find(L'&') != std::wstring_view::npos && !checked_entities) {
                checked_entities = true;
                if (const std::size_t line = undeclared_entity(units)) return XmlStop{false, UNDECLARED_ENTITY, line};
            }
            carry_on = handler.text(texts.add(text, length));
            break;
        case XmlNodeType_DocumentType: carry_on = handler.document_type(); break;
        default: break;
        }
        if (!carry_on) return XmlStop{true, {}, here.line};
    }
    if (!open.empty()) return XmlStop{false, CUT_SHORT, last_line(units)};
    return std::nullopt;
}

}  // namespace quorran
