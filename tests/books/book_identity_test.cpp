// A book is known by its text wherever its file lies: the identity its reading place is kept
// under.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "books/book_identity.h"
#include "books/book_text.h"
#include "tests/books/encoded.h"

namespace orvell::books {
namespace {

using test::encoded;
using test::utf8;

struct IdentityCase {
    const char* label;
    std::string bytes;
    const char* name;
    std::string otherBytes;
    const char* otherName;
    bool same;
};

TEST(BookIdentity, FollowsTheTextNotTheFile) {
    const std::u16string text = u"Глава первая\nЖил-был кот.";
    const auto cases = std::to_array<IdentityCase>({
        {"renamed and moved", utf8(text), "book.txt", utf8(text), "Кот/черновик.txt", true},
        {"saved in another charset", utf8(text), "a.txt", encoded(text, "windows-1251"), "a.txt",
         true},
        {"one letter changed", utf8(text), "a.txt", utf8(u"Глава первая\nЖил-был кит."), "a.txt",
         false},
        {"a line added", utf8(text), "a.txt", utf8(text + u"\nКонец."), "a.txt", false},
    });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const BookText book = decodeBook(c.bytes, c.name);
        const BookText other = decodeBook(c.otherBytes, c.otherName);
        ASSERT_TRUE(book.ok() && other.ok());
        EXPECT_EQ(bookIdentity(book.text) == bookIdentity(other.text), c.same);
    }
    // Places files hold it: BLAKE2b-256 of the UTF-16LE code units, in lowercase hex.
    EXPECT_EQ(bookIdentity(u"Кот"),
              "2a1bd3c465b8384cab3cef35adc28de432aa57433c22f5cf9a3c2cba3cc37f6f");
}

}  // namespace
}  // namespace orvell::books
