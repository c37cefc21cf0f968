#include "stats/msxml_document_win32.h"

#include <xmllite.h>

#include <string>

#include "stats/com_text_win32.h"
#include "stats/statistics_file.h"

namespace orv {

namespace {

using Microsoft::WRL::ComPtr;

// MinGW's headers carry neither of these.
const CLSID kClsidDomDocument60 = {
    0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
const IID kIidXmlDomDocument = {
    0x2933bf81, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

ComPtr<IXMLDOMDocument> NewDocument() {
    ComPtr<IXMLDOMDocument> document;
    if (FAILED(CoCreateInstance(kClsidDomDocument60, nullptr, CLSCTX_INPROC_SERVER,
                                kIidXmlDomDocument,
                                reinterpret_cast<void**>(document.GetAddressOf())))) {
        return nullptr;
    }
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    document->put_preserveWhiteSpace(VARIANT_FALSE);
    return document;
}

VARIANT PathVariant(const Bstr& path) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = path.Get();  // borrowed: the caller keeps the Bstr alive
    return value;
}

std::string ParseErrorText(IXMLDOMDocument& document) {
    ComPtr<IXMLDOMParseError> error;
    Bstr reason;
    long line = 0;
    long position = 0;
    std::string text;
    if (SUCCEEDED(document.get_parseError(error.GetAddressOf())) && error) {
        error->get_line(&line);
        error->get_linepos(&position);
        if (SUCCEEDED(error->get_reason(reason.Receive())) && reason) {
            text = Narrow(std::wstring_view(reason.Get(), SysStringLen(reason.Get())));
        }
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    if (text.empty()) {
        text = "not an XML document";
    }
    if (line <= 0) {
        return text;
    }
    return text + ", line " + std::to_string(line) +
           (position > 0 ? ", position " + std::to_string(position) : std::string());
}

std::string XmlErrorName(HRESULT result) {
    switch (static_cast<unsigned long>(result)) {
        case MX_E_INPUTEND:
            return "unexpected end of the file";
        case WC_E_ELEMENTMATCH:
            return "end tag does not match its start tag";
        case WC_E_GREATERTHAN:
            return "expected '>'";
        case WC_E_QUOTE:
            return "expected a quote";
        case WC_E_NAME:
        case WC_E_NAMECHARACTER:
            return "invalid name";
        case WC_E_ROOTELEMENT:
            return "no root element, or more than one";
        case WC_E_SYNTAX:
        case WC_E_LESSTHAN:
            return "syntax error";
        default: {
            char text[64];
            wsprintfA(text, "not well-formed XML (0x%08lX)", static_cast<unsigned long>(result));
            return text;
        }
    }
}

// Where and why the bytes are not well-formed, as XmlLite reads them (MSXML of some systems
// gives no reason or line); empty when it finds no fault or is missing.
std::string XmlLiteFault(const SafeArray& bytes) {
    using CreateReader = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    const HMODULE library = LoadLibraryW(L"xmllite.dll");
    const auto create = library ? reinterpret_cast<CreateReader>(reinterpret_cast<void (*)()>(
                                      GetProcAddress(library, "CreateXmlReader")))
                                : nullptr;
    std::string fault;
    ComPtr<IXmlReader> reader;
    ComPtr<IStream> stream;
    void* data = nullptr;
    const ULONG size = bytes.Get()->rgsabound[0].cElements;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (create && memory &&
        SUCCEEDED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.GetAddressOf()),
                         nullptr)) &&
        SUCCEEDED(SafeArrayAccessData(bytes.Get(), &data))) {
        CopyMemory(GlobalLock(memory), data, size);
        GlobalUnlock(memory);
        SafeArrayUnaccessData(bytes.Get());
        if (SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, stream.GetAddressOf()))) {
            memory = nullptr;  // the stream frees it
            reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
            reader->SetInput(stream.Get());
            XmlNodeType type;
            HRESULT result = S_OK;
            while ((result = reader->Read(&type)) == S_OK) {
            }
            if (FAILED(result)) {
                UINT line = 0;
                UINT position = 0;
                reader->GetLineNumber(&line);
                reader->GetLinePosition(&position);
                fault = XmlErrorName(result) + ", line " + std::to_string(line) + ", position " +
                        std::to_string(position);
            }
        }
    }
    if (memory) {
        GlobalFree(memory);
    }
    reader.Reset();
    stream.Reset();
    if (library) {
        FreeLibrary(library);
    }
    return fault;
}

// The file's bytes for MSXML: handing it memory parses several times faster than handing it
// a path, which goes through a URL moniker.
Outcome ReadWholeFile(const std::string& path, SafeArray& bytes) {
    const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return Outcome::Failed(LastErrorText());
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        return Outcome::Failed(LastErrorText());
    }
    if (size.QuadPart > 0x7FFFFFFF) {
        return Outcome::Failed("the file is too large");
    }
    SafeArray read(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(size.QuadPart)));
    if (!read) {
        return Outcome::Failed("not enough memory");
    }
    void* data = nullptr;
    SafeArrayAccessData(read.Get(), &data);
    DWORD count = 0;
    const bool complete =
        ReadFile(file.Get(), data, static_cast<DWORD>(size.QuadPart), &count, nullptr) &&
        count == static_cast<DWORD>(size.QuadPart);
    const DWORD error = GetLastError();
    SafeArrayUnaccessData(read.Get());
    if (!complete) {
        return Outcome::Failed(SystemErrorText(error));
    }
    bytes = std::move(read);
    return Outcome::Ok();
}

// MSXML's save reports most failures as "Call failed.": the real cause is found by trying the
// file the way the save does, and by the free space of its disk.
std::string SaveFailureText(const std::wstring& path, HRESULT result) {
    if (HRESULT_FACILITY(result) == FACILITY_WIN32) {
        return SystemErrorText(HRESULT_CODE(result));
    }
    const UniqueHandle probe(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) {
        return LastErrorText();
    }
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    ULARGE_INTEGER available{};
    if (GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr) &&
        available.QuadPart < 64 * 1024) {
        return SystemErrorText(ERROR_DISK_FULL);
    }
    return SystemErrorText(static_cast<DWORD>(result));
}

bool IsWhitespaceOnly(const wchar_t* text, UINT length) {
    for (UINT i = 0; i < length; ++i) {
        if (text[i] != L' ' && text[i] != L'\t' && text[i] != L'\r' && text[i] != L'\n') {
            return false;
        }
    }
    return true;
}

bool IsWhitespaceText(IXMLDOMNode& node) {
    DOMNodeType type = NODE_INVALID;
    node.get_nodeType(&type);
    if (type != NODE_TEXT) {
        return false;
    }
    Bstr text;
    if (FAILED(node.get_text(text.Receive()))) {
        return false;
    }
    return IsWhitespaceOnly(text.Get(), SysStringLen(text.Get()));
}

// Hands the node's attributes, in document order, to the reader.
void ReadAttributes(IXMLDOMNode& node, RecordReader& reader, std::string& buffer) {
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    if (node.get_attributes(attributes.GetAddressOf()) != S_OK || !attributes) {
        return;
    }
    std::size_t position = 0;
    for (ComPtr<IXMLDOMNode> attribute;
         attributes->nextNode(attribute.ReleaseAndGetAddressOf()) == S_OK && attribute;
         ++position) {
        Variant value;
        buffer.clear();
        if (SUCCEEDED(attribute->get_nodeValue(&value)) && value.Get().vt == VT_BSTR) {
            const BSTR text = value.Get().bstrVal;
            AppendUtf8(std::wstring_view(text, SysStringLen(text)), buffer);
        }
        reader.Attribute(position, buffer);
    }
}

}  // namespace

MsxmlDocument::MsxmlDocument() {
    Reset();
}

MsxmlDocument::~MsxmlDocument() = default;

Outcome MsxmlDocument::Load(const std::string& path) {
    ComPtr<IXMLDOMDocument> loaded = NewDocument();
    if (!loaded) {
        return Outcome::Failed("MSXML 6 is not available");
    }
    SafeArray bytes;
    const Outcome read = ReadWholeFile(path, bytes);
    if (!read.ok()) {
        return read;
    }
    const std::size_t fileBytes = bytes.Get()->rgsabound[0].cElements;
    VARIANT source;  // borrows the array, which `bytes` frees
    VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = bytes.Get();
    VARIANT_BOOL success = VARIANT_FALSE;
    const HRESULT result = loaded->load(source, &success);
    if (FAILED(result) || success != VARIANT_TRUE) {
        std::string reason = ParseErrorText(*loaded.Get());
        if (reason.find(", line ") == std::string::npos) {
            if (std::string fault = XmlLiteFault(bytes); !fault.empty()) {
                reason = std::move(fault);
            }
        }
        return Outcome::Failed(reason);
    }
    ComPtr<IXMLDOMElement> root;
    if (loaded->get_documentElement(root.GetAddressOf()) != S_OK || !root) {
        return Outcome::Failed("the document has no root element");
    }
    document_ = loaded;
    textBytesBound_ = fileBytes;
    return Outcome::Ok();
}

Outcome MsxmlDocument::Save(const std::string& path) const {
    if (!document_) {
        return Outcome::Failed("MSXML 6 is not available");
    }
    const Bstr file = ToBstr(path);
    const HRESULT result = document_->save(PathVariant(file));
    if (FAILED(result)) {
        return Outcome::Failed(SaveFailureText(Widen(path), result));
    }
    return Outcome::Ok();
}

void MsxmlDocument::Reset() {
    textBytesBound_ = 0;
    document_ = NewDocument();
    if (!document_) {
        return;
    }
    const Bstr empty = ToBstr(kEmptyStatisticsFile);
    VARIANT_BOOL success = VARIANT_FALSE;
    document_->loadXML(empty.Get(), &success);
}

Outcome MsxmlDocument::AppendRecord(std::span<const NamedText> attributes) {
    if (!document_) {
        return Outcome::Failed("MSXML 6 is not available");
    }
    ComPtr<IXMLDOMElement> root;
    if (document_->get_documentElement(root.GetAddressOf()) != S_OK || !root) {
        return Outcome::Failed("the statistics document has no root element");
    }
    const Bstr tag = ToBstr("connection");
    ComPtr<IXMLDOMElement> element;
    HRESULT result = document_->createElement(tag.Get(), element.GetAddressOf());
    for (const NamedText& attribute : attributes) {
        if (FAILED(result)) {
            break;
        }
        const Bstr name = ToBstr(attribute.name);
        const Bstr text = ToBstr(attribute.text);
        VARIANT value;  // borrows the text, which `text` frees
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = text.Get();
        result = element->setAttribute(name.Get(), value);
    }
    if (SUCCEEDED(result)) {
        result = root->appendChild(element.Get(), nullptr);
    }
    if (FAILED(result)) {
        return Outcome::Failed(SystemErrorText(static_cast<DWORD>(result)));
    }
    for (const NamedText& attribute : attributes) {
        textBytesBound_ += attribute.text.size();
    }
    return Outcome::Ok();
}

std::size_t MsxmlDocument::RecordCount() const {
    ComPtr<IXMLDOMElement> root;
    ComPtr<IXMLDOMNodeList> children;
    long count = 0;
    if (document_ && document_->get_documentElement(root.GetAddressOf()) == S_OK && root &&
        root->get_childNodes(children.GetAddressOf()) == S_OK && children) {
        children->get_length(&count);
    }
    return static_cast<std::size_t>(count);
}

void MsxmlDocument::ReadRecords(RecordReader& reader) const {
    ComPtr<IXMLDOMElement> root;
    if (!document_ || document_->get_documentElement(root.GetAddressOf()) != S_OK || !root) {
        return;
    }
    ComPtr<IXMLDOMNodeList> children;
    long count = 0;
    if (root->get_childNodes(children.GetAddressOf()) == S_OK && children) {
        children->get_length(&count);
    }
    reader.ExpectRecords(static_cast<std::size_t>(count), textBytesBound_);
    // Walk the siblings: indexing a node list is linear per item in some implementations.
    std::string buffer;
    ComPtr<IXMLDOMNode> node;
    root->get_firstChild(node.GetAddressOf());
    while (node) {
        if (!IsWhitespaceText(*node.Get())) {
            reader.BeginRecord();
            ReadAttributes(*node.Get(), reader, buffer);
        }
        ComPtr<IXMLDOMNode> next;
        node->get_nextSibling(next.GetAddressOf());
        node = next;
    }
}

}  // namespace orv
