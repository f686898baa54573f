#include "xmlfile.h"

#include "filepath.h"
#include "filereplace.h"

#include <tinyxml.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Zero bytes after the text: TinyXML steps over a UTF-8 lead byte's whole
// length (up to 4) before it looks at the bytes it skipped.
constexpr std::size_t kZeroPadding = 16;

// Skips from text[pos] past the first occurrence of end; the text's size when absent.
std::size_t SkipPast(const std::string& text, std::size_t pos, const char* end)
{
    const std::size_t found = text.find(end, pos);
    return found == std::string::npos ? text.size() : found + std::strlen(end);
}

// The deepest element nesting in text, counted as TinyXML's parser descends:
// comments, CDATA and declarations hold no elements, quoted attribute values
// may hold anything, "/>" closes the element it ends. Stops counting beyond limit.
int NestingDepth(const std::string& text, int limit)
{
    int depth = 0;
    int deepest = 0;
    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != std::string::npos && deepest <= limit) {
        const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
        if (text.compare(pos, 4, "<!--") == 0) {
            pos = SkipPast(text, pos + 4, "-->");
        } else if (text.compare(pos, 9, "<![CDATA[") == 0) {
            pos = SkipPast(text, pos + 9, "]]>");
        } else if (next == '!' || next == '?') {
            pos = SkipPast(text, pos + 2, ">");
        } else if (next == '/') {
            depth = depth > 0 ? depth - 1 : 0;
            pos = SkipPast(text, pos + 2, ">");
        } else {
            deepest = std::max(deepest, ++depth);
            char quote = '\0';
            char last = '\0';
            for (++pos; pos < text.size(); ++pos) {
                const char c = text[pos];
                if (quote != '\0') {
                    quote = c == quote ? '\0' : quote;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                } else if (c != ' ' && c != '\t' && c != '\n') {
                    last = c;
                }
            }
            if (last == '/')
                --depth;
            ++pos;
        }
    }
    return deepest;
}

// Line ends as TinyXML's LoadFile turns them: CR LF and a lone CR become LF;
// the text ends at its first zero byte.
void NormalizeLineEnds(std::string& text)
{
    text.resize(std::strlen(text.c_str()));
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\r') {
            text[out++] = '\n';
            if (in + 1 < text.size() && text[in + 1] == '\n')
                ++in;
        } else {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}

}  // namespace

bool ParseXmlText(std::string text, TiXmlDocument& document, std::string* why)
{
    NormalizeLineEnds(text);
    if (NestingDepth(text, kMaxXmlDepth) > kMaxXmlDepth) {
        *why = "elements are nested more than " + std::to_string(kMaxXmlDepth) + " levels deep";
        return false;
    }
    text.append(kZeroPadding, '\0');
    document.Clear();
    document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (document.Error()) {
        *why = document.ErrorDesc();
        return false;
    }
    return true;
}

bool LoadXmlFile(const std::string& path, TiXmlDocument& document, std::string* why)
{
    std::string text;
    if (!ReadFileContents(path, kMaxXmlFileSize, text)) {
        const int error = errno;
        if (error == EFBIG)
            *why = "the file is larger than " + std::to_string(kMaxXmlFileSize >> 20) + " MB";
        else
            *why = error == ENODEV ? "not a regular file" : std::strerror(error);
        return false;
    }
    return ParseXmlText(std::move(text), document, why);
}

bool SaveXmlFile(const TiXmlDocument& document, const std::string& path, std::string* why)
{
    char* data = nullptr;
    std::size_t size = 0;
    FILE* memory = ::open_memstream(&data, &size);
    if (memory == nullptr) {
        *why = std::strerror(errno);
        return false;
    }
    const bool printed = document.SaveFile(memory);
    const bool closed = std::fclose(memory) == 0;
    std::string text(data != nullptr ? data : "", size);
    std::free(data);
    if (!printed || !closed) {
        *why = "the document could not be printed";
        return false;
    }
    return ReplaceFileContents(path, text, why);
}
