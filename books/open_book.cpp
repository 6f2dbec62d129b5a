#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <new>
#include <system_error>

#include "books/book_failure.h"
#include "books/book_text.h"
#include "books/epub_book.h"
#include "books/fb2_book.h"
#include "books/fb2_entries.h"
#include "books/plain_text.h"
#include "books/zip_archive.h"

namespace orvell::books {

namespace {

std::string lowerCase(std::string_view name) {
    std::string lower(name);
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// As the text box stores them: CR LF and a lone CR become LF.
std::u16string withLineFeeds(std::u16string text) {
    if (text.find(u'\r') == std::u16string::npos) return text;
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            text[out++] = u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            text[out++] = text[i];
        }
    }
    text.resize(out);
    return text;
}

[[noreturn]] void tooLarge(const DecodeLimits& limits) {
    throw BookFailure(u"файл больше " + megabytes(limits.maxBytes));
}

// Zipped books are told by their content too: a zipped FB2 is often named just .fb2.
bool isZipped(std::string_view bytes, const std::string& lowerName) {
    return bytes.starts_with("PK\x03\x04") || lowerName.ends_with(".epub") ||
           lowerName.ends_with(".zip");
}

bool isEpub(const ZipArchive& zip, const std::string& lowerName) {
    return lowerName.ends_with(".epub") || zip.contains("META-INF/container.xml") ||
           zip.contains("mimetype");
}

BookText archivedFb2(ZipArchive& zip, const std::string& entry, int maxDepth) {
    // Listed but not found again by its name: the archive's directory contradicts itself.
    const std::optional<std::string> book = zip.read(entry);
    if (!book) throw BookFailure(u"архив ZIP повреждён");
    return fb2Book(*book, maxDepth);
}

BookText zippedBook(std::string_view bytes, const std::string& name, const DecodeLimits& limits) {
    ZipArchive zip(bytes, limits.maxBytes);
    if (isEpub(zip, name)) return epubBook(zip, limits.maxDepth);
    const std::vector<std::string> fb2s = zip.namesEndingWith(".fb2");
    if (fb2s.empty()) throw BookFailure(u"в архиве нет книги FB2 или EPUB");
    return archivedFb2(zip, fb2s.front(), limits.maxDepth);
}

BookText book(std::string_view bytes, std::string_view fileName, const DecodeLimits& limits) {
    if (bytes.size() > limits.maxBytes) tooLarge(limits);
    if (bytes.empty()) throw BookFailure(u"файл пуст");
    const std::string name = lowerCase(fileName);
    if (isZipped(bytes, name)) return zippedBook(bytes, name, limits);
    if (name.ends_with(".fb2")) return fb2Book(bytes, limits.maxDepth);
    if (name.ends_with(".txt")) return {plainText(bytes), {}, {}, {}};
    throw BookFailure(
        u"формат не поддерживается; откройте текст (.txt), книгу FB2 (.fb2, "
        u".fb2.zip) или EPUB (.epub)");
}

BookText archivedBook(std::string_view bytes, const std::string& entry,
                      const DecodeLimits& limits) {
    if (bytes.size() > limits.maxBytes) tooLarge(limits);
    ZipArchive zip(bytes, limits.maxBytes);
    return archivedFb2(zip, entry, limits.maxDepth);
}

std::vector<ArchivedBook> fb2Entries(std::string_view bytes, const std::string& lowerName,
                                     const DecodeLimits& limits) {
    if (bytes.size() > limits.maxBytes || !isZipped(bytes, lowerName)) return {};
    ZipArchive zip(bytes, limits.maxBytes);
    if (isEpub(zip, lowerName)) return {};
    return titledFb2Entries(zip, limits.maxDepth);
}

std::string readFile(const std::filesystem::path& file, const DecodeLimits& limits) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) throw BookFailure(u"файл не найден");
    if (std::filesystem::is_directory(status)) throw BookFailure(u"это папка, а не файл");
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > limits.maxBytes) tooLarge(limits);
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) throw BookFailure(u"файл не удалось прочитать");
    return bytes;
}

// The decoded book, or a BookText that says why it could not be.
template <typename Decode>
BookText guarded(Decode decode) {
    try {
        BookText book = decode();
        // Only a plain text, which has no chapters, can hold a CR: marked-up text is written by
        // TextLines, which takes it for white space. So chapter positions stay right.
        book.text = withLineFeeds(std::move(book.text));
        return book;
    } catch (const BookFailure& failure) {
        return {{}, failure.reason(), {}, {}};
    } catch (const std::bad_alloc&) {
        return {{}, u"не хватает памяти", {}, {}};
    }
}

// The books listed, or none when the file cannot be read: opening it will say why.
template <typename List>
std::vector<ArchivedBook> listed(List list) {
    try {
        return list();
    } catch (const BookFailure&) {
        return {};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace

BookText openBook(const std::filesystem::path& file, const DecodeLimits& limits) {
    return guarded([&] {
        const std::string bytes = readFile(file, limits);
        return book(bytes, file.filename().string(), limits);
    });
}

BookText decodeBook(std::string_view bytes, std::string_view fileName, const DecodeLimits& limits) {
    return guarded([&] { return book(bytes, fileName, limits); });
}

std::vector<ArchivedBook> archivedFb2Books(std::string_view bytes, std::string_view fileName,
                                           const DecodeLimits& limits) {
    return listed([&] { return fb2Entries(bytes, lowerCase(fileName), limits); });
}

std::optional<BookText> openChosenBook(const std::filesystem::path& file, const BookChoice& choose,
                                       const DecodeLimits& limits) {
    bool cancelled = false;
    BookText opened = guarded([&] {
        const std::string bytes = readFile(file, limits);
        const std::string name = file.filename().string();
        const std::vector<ArchivedBook> inside = archivedFb2Books(bytes, name, limits);
        if (inside.size() < 2) return book(bytes, name, limits);
        const std::optional<std::size_t> pick = choose(inside);
        cancelled = !pick.has_value();
        return cancelled ? BookText{} : archivedBook(bytes, inside.at(*pick).entry, limits);
    });
    if (cancelled) return std::nullopt;
    return opened;
}

BookText decodeArchivedBook(std::string_view bytes, const std::string& entry,
                            const DecodeLimits& limits) {
    return guarded([&] { return archivedBook(bytes, entry, limits); });
}

std::u16string failureMessage(std::u16string_view fileName, std::u16string_view reason) {
    return u"Не удалось открыть «" + std::u16string(fileName) + u"»: " + std::u16string(reason) +
           u".";
}

std::u16string damageMessage(std::u16string_view fileName,
                             const std::vector<std::u16string>& damage) {
    constexpr std::size_t kMostNamed = 5;
    std::u16string message =
        u"Книга «" + std::u16string(fileName) + u"» открыта, но прочитана не вся:";
    for (std::size_t i = 0; i < damage.size() && i < kMostNamed; ++i) {
        message += u"\n• " + damage[i] + u".";
    }
    if (damage.size() > kMostNamed) {
        message += u"\n• и ещё повреждённых частей: " + decimal(damage.size() - kMostNamed) + u".";
    }
    return message;
}

}  // namespace orvell::books
