#include "xmldocument.h"

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <stdexcept>

namespace bearing {

struct XmlDocument::Document {
    xmlDocPtr doc = nullptr;
};

namespace {

void collectError(void* context, const char* format, ...)  // NOLINT(cert-dcl50-cpp): libxml2's callback
{
    auto* error = static_cast<std::string*>(context);
    error->append(format);  // the format names the fault well enough for a test's failure
}

// libxml2 hands out UTF-8 as unsigned chars.
std::string asText(const xmlChar* text)
{
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

std::string content(xmlNodePtr node)
{
    xmlChar* text = xmlNodeGetContent(node);
    std::string result = asText(text);
    xmlFree(text);
    return result;
}

}  // namespace

XmlDocument::XmlDocument(std::string_view text)
{
    xmlSetGenericErrorFunc(&error_, collectError);
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "test.xml", "UTF-8", XML_PARSE_NONET);
    xmlSetGenericErrorFunc(nullptr, nullptr);
    if (doc != nullptr) {
        document_ = new Document{doc};
    } else if (error_.empty()) {
        error_ = "not well-formed";
    }
}

XmlDocument::~XmlDocument()
{
    if (document_ != nullptr) {
        xmlFreeDoc(document_->doc);
        delete document_;
    }
}

double XmlDocument::Node::number(const std::string& attribute) const
{
    const auto found = attributes.find(attribute);
    if (found == attributes.end()) {
        throw std::runtime_error(name + " has no attribute " + attribute);
    }
    return std::stod(found->second);
}

std::vector<XmlDocument::Node> XmlDocument::select(const std::string& xpath) const
{
    std::vector<Node> nodes;
    if (document_ == nullptr) {
        return nodes;
    }
    xmlXPathContextPtr context = xmlXPathNewContext(document_->doc);
    xmlXPathRegisterNs(context, BAD_CAST "s", BAD_CAST "http://www.w3.org/2000/svg");
    xmlXPathRegisterNs(context, BAD_CAST "h", BAD_CAST "http://www.w3.org/1999/xhtml");
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST xpath.c_str(), context);
    if (result == nullptr) {
        xmlXPathFreeContext(context);
        throw std::runtime_error("bad XPath " + xpath);
    }
    if (result->nodesetval != nullptr) {
        for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
            xmlNodePtr node = result->nodesetval->nodeTab[i];
            Node found{.name = asText(node->name), .text = content(node), .attributes = {}};
            for (xmlAttrPtr attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
                found.attributes[asText(attribute->name)] = content(attribute->children);
            }
            nodes.push_back(std::move(found));
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return nodes;
}

}  // namespace bearing
