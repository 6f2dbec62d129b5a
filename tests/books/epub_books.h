#pragma once

// EPUB books made up for tests, fuzzers and benchmarks: a container, a package document and
// chapters, with the spine in an order of its own.

#include <string>
#include <vector>

#include "tests/books/zip_builder.h"

namespace orvell::test {

inline const std::string kContainerXml =
    R"(<?xml version="1.0"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">
 <rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/></rootfiles>
</container>)";

// A package document listing `items` (each a line of the manifest) and reading `spine` (each a
// line of the spine).
inline std::string packageXml(const std::string& version, const std::string& items,
                              const std::string& spine) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version=")" +
           version + R"(" unique-identifier="id">
 <metadata xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:title>Книга</dc:title></metadata>
 <manifest>)" +
           items +
           R"(</manifest>
 <spine toc="ncx">)" +
           spine +
           R"(</spine>
</package>)";
}

inline std::string xhtml(const std::string& body) {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.1//EN" "http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd">
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>Заголовок окна</title></head>
<body>)" + body +
           "</body></html>";
}

// An EPUB 2 book of `chapters`, read in the reverse of their manifest order.
inline ZipFiles epubFiles(const std::vector<std::string>& chapters) {
    std::string items = R"(<item id="ncx" href="toc.ncx" media-type="application/x-dtbncx+xml"/>)";
    std::string spine;
    ZipFiles files = {{"mimetype", "application/epub+zip"},
                      {"META-INF/container.xml", kContainerXml},
                      {"OEBPS/toc.ncx", "<ncx/>"}};
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        const std::string id = std::string("c").append(std::to_string(i));
        items += R"(<item id=")" + id + R"(" href="Text/part%20)" + std::to_string(i) +
                 R"(.xhtml" media-type="application/xhtml+xml"/>)";
        spine.insert(0, R"(<itemref idref=")" + id + R"("/>)");
        files.emplace_back("OEBPS/Text/part " + std::to_string(i) + ".xhtml", chapters[i]);
    }
    files.emplace_back("OEBPS/content.opf", packageXml("2.0", items, spine));
    return files;
}

}  // namespace orvell::test
