#include "stats/msxml_reader_win32.h"

#include <windows.h>

#include <msxml2.h>
#include <xmllite.h>

#include <string>
#include <utility>

#include "stats/com_text_win32.h"

namespace orv {

namespace {

// MinGW's headers carry neither of these.
const CLSID kClsidDomDocument60 = {
    0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
const IID kIidXmlDomDocument = {
    0x2933bf81, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

ComRef<IXMLDOMDocument> NewDocument() {
    ComRef<IXMLDOMDocument> document;
    if (FAILED(CoCreateInstance(kClsidDomDocument60, nullptr, CLSCTX_INPROC_SERVER,
                                kIidXmlDomDocument,
                                reinterpret_cast<void**>(document.Receive())))) {
        return {};
    }
    document.Get()->put_async(VARIANT_FALSE);
    document.Get()->put_validateOnParse(VARIANT_FALSE);
    document.Get()->put_resolveExternals(VARIANT_FALSE);
    document.Get()->put_preserveWhiteSpace(VARIANT_FALSE);
    return document;
}

std::string ParseErrorText(IXMLDOMDocument& document) {
    ComRef<IXMLDOMParseError> error;
    Bstr reason;
    long line = 0;
    long position = 0;
    std::string text;
    if (SUCCEEDED(document.get_parseError(error.Receive())) && error) {
        error.Get()->get_line(&line);
        error.Get()->get_linepos(&position);
        if (SUCCEEDED(error.Get()->get_reason(reason.Receive())) && reason) {
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
    // Before the reader it makes, so that the library is unloaded only after the reader is gone.
    const Library library(LoadLibraryW(L"xmllite.dll"));
    const auto create = library ? reinterpret_cast<CreateReader>(reinterpret_cast<void (*)()>(
                                      GetProcAddress(library.Get(), "CreateXmlReader")))
                                : nullptr;
    std::string fault;
    ComRef<IXmlReader> reader;
    ComRef<IStream> stream;
    void* data = nullptr;
    const ULONG size = bytes.Get()->rgsabound[0].cElements;
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (create && memory &&
        SUCCEEDED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.Receive()),
                         nullptr)) &&
        SUCCEEDED(SafeArrayAccessData(bytes.Get(), &data))) {
        CopyMemory(GlobalLock(memory.Get()), data, size);
        GlobalUnlock(memory.Get());
        SafeArrayUnaccessData(bytes.Get());
        if (SUCCEEDED(CreateStreamOnHGlobal(memory.Get(), TRUE, stream.Receive()))) {
            memory.Release();  // the stream frees it
            reader.Get()->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
            reader.Get()->SetInput(stream.Get());
            // Every node takes at least one byte, so more reads than bytes mean a reader that
            // keeps answering at the end of the input (Wine's does, for a file cut short).
            XmlNodeType type = XmlNodeType_None;
            HRESULT result = S_OK;
            for (ULONG reads = 0; reads <= size; ++reads) {
                result = reader.Get()->Read(&type);
                if (result != S_OK || type == XmlNodeType_None) {
                    break;
                }
            }
            if (FAILED(result)) {
                UINT line = 0;
                UINT position = 0;
                reader.Get()->GetLineNumber(&line);
                reader.Get()->GetLinePosition(&position);
                fault = XmlErrorName(result) + ", line " + std::to_string(line) + ", position " +
                        std::to_string(position);
            }
        }
    }
    return fault;
}

// The bytes for MSXML: handing it memory parses several times faster than handing it a path,
// which goes through a URL moniker.
Outcome CopyToArray(std::string_view bytes, SafeArray& array) {
    if (bytes.size() > 0x7FFFFFFF) {
        return Outcome::Failed("the file is too large");
    }
    SafeArray copy(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size())));
    void* data = nullptr;
    if (!copy || FAILED(SafeArrayAccessData(copy.Get(), &data))) {
        return Outcome::Failed("not enough memory");
    }
    CopyMemory(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(copy.Get());
    array = std::move(copy);
    return Outcome::Ok();
}

// Calls add(name, text) for the element's attributes, in document order.
template <typename Add>
void ReadAttributes(IXMLDOMNode& node, std::string& name, std::string& text, Add add) {
    ComRef<IXMLDOMNamedNodeMap> attributes;
    long count = 0;
    if (node.get_attributes(attributes.Receive()) != S_OK || !attributes ||
        FAILED(attributes.Get()->get_length(&count))) {
        return;
    }
    // Bounded by the count the map gives: nothing but that may end a walk that never fails.
    ComRef<IXMLDOMNode> attribute;
    for (long index = 0;
         index < count && attributes.Get()->nextNode(attribute.Receive()) == S_OK &&
         attribute;
         ++index) {
        Bstr nodeName;
        Variant value;
        name.clear();
        text.clear();
        if (SUCCEEDED(attribute.Get()->get_nodeName(nodeName.Receive())) && nodeName) {
            AppendUtf8(std::wstring_view(nodeName.Get(), SysStringLen(nodeName.Get())), name);
        }
        if (SUCCEEDED(attribute.Get()->get_nodeValue(&value)) && value.Get().vt == VT_BSTR) {
            const BSTR valueText = value.Get().bstrVal;
            AppendUtf8(std::wstring_view(valueText, SysStringLen(valueText)), text);
        }
        add(name, text);
    }
}

}  // namespace

Outcome MsxmlRecordReader::ReadRecords(std::string_view bytes, RecordStore& store) {
    ComRef<IXMLDOMDocument> document = NewDocument();
    if (!document) {
        return Outcome::Failed("MSXML 6 is not available");
    }
    SafeArray array;
    if (const Outcome copied = CopyToArray(bytes, array); !copied.ok()) {
        return copied;
    }
    VARIANT source;  // borrows the array, which `array` frees
    VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = array.Get();
    VARIANT_BOOL success = VARIANT_FALSE;
    const HRESULT result = document.Get()->load(source, &success);
    if (FAILED(result) || success != VARIANT_TRUE) {
        std::string reason = ParseErrorText(*document.Get());
        if (reason.find(", line ") == std::string::npos) {
            if (std::string fault = XmlLiteFault(array); !fault.empty()) {
                reason = std::move(fault);
            }
        }
        return Outcome::Failed(reason);
    }
    array = SafeArray();
    ComRef<IXMLDOMElement> root;
    if (document.Get()->get_documentElement(root.Receive()) != S_OK || !root) {
        return Outcome::Failed("the document has no root element");
    }
    std::string name;
    std::string text;
    // The root's declarations, which the records' prefixed names may need at a rewrite.
    ReadAttributes(*root.Get(), name, text, [&](const std::string& n, const std::string& t) {
        store.AddRootAttribute(n, t);
    });
    // Walk the siblings: indexing a node list is linear per item in some implementations. No
    // more nodes than bytes can have been parsed, which bounds a walk that would not end.
    ComRef<IXMLDOMNode> node;
    root.Get()->get_firstChild(node.Receive());
    for (std::size_t visited = 0; node && visited <= bytes.size(); ++visited) {
        DOMNodeType type = NODE_INVALID;
        if (SUCCEEDED(node.Get()->get_nodeType(&type)) && type == NODE_ELEMENT) {
            store.BeginRecord();
            ReadAttributes(*node.Get(), name, text,
                           [&](const std::string& n, const std::string& t) {
                               store.AddAttribute(n, t);
                           });
        }
        ComRef<IXMLDOMNode> next;
        node.Get()->get_nextSibling(next.Receive());
        node = std::move(next);
    }
    return Outcome::Ok();
}

}  // namespace orv
