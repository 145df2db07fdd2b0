#pragma once

// A parsed XML document for the tests of the charts and the report: libxml2's strict
// parser, so that a file that is not well-formed fails to load, and XPath to find marks.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

class XmlDocument {
public:
    // Parses `text`; `error()` says why when it is not well-formed.
    explicit XmlDocument(std::string_view text);
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;
    XmlDocument(XmlDocument&&) = delete;
    XmlDocument& operator=(XmlDocument&&) = delete;

    [[nodiscard]] bool valid() const { return document_ != nullptr; }
    [[nodiscard]] const std::string& error() const { return error_; }

    struct Node {
        std::string name;
        std::string text;  // the content of the node and its descendants
        std::map<std::string, std::string> attributes;

        [[nodiscard]] double number(const std::string& attribute) const;
    };
    // Nodes matched by an XPath expression; "s:" is the SVG namespace, "h:" XHTML's.
    [[nodiscard]] std::vector<Node> select(const std::string& xpath) const;

private:
    struct Document;
    Document* document_ = nullptr;
    std::string error_;
};

}  // namespace bearing
