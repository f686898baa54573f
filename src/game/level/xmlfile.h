// Reading and writing the game's XML files (levels, the game plan) with
// TinyXML, adding the checks it lacks: only regular files of a bounded
// size, a bounded nesting depth (its parser recurses once per level), a
// zero-padded buffer (a cut-off multi-byte character cannot step past the
// end) and a checked, flushed save that keeps the old file on failure.
#pragma once

#include <cstddef>
#include <string>

class TiXmlDocument;

constexpr std::size_t kMaxXmlFileSize = std::size_t{64} << 20;
constexpr int kMaxXmlDepth = 256;

// Parses the file into document, with line ends read as TinyXML's own
// LoadFile reads them. False with why set: the file cannot be read, is too
// large or too deeply nested, or TinyXML's own error text.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document, std::string* why);

// Parses text (which may hold anything) the same way.
bool ParseXmlText(std::string text, TiXmlDocument& document, std::string* why);

// Writes the document as TinyXML's SaveFile formats it, through a checked
// replacement of the file. False with why set on any failure.
bool SaveXmlFile(const TiXmlDocument& document, const std::string& path, std::string* why);
