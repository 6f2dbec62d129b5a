#include "bench/engine/generated_text.h"

#include <algorithm>
#include <array>
#include <random>
#include <string_view>
#include <vector>

namespace orvell::bench {

namespace {

// Short everyday words and long ones, as a Russian text mixed with some English has them.
constexpr std::u16string_view kWordList =
    u"в и на не что он как это все она так его но да к у же вы только было теперь когда вдруг "
    u"если потому сейчас никогда наконец впрочем хорошо слово буквы чтения скорость глазами "
    u"практика программу предложения электронную необходимость распознавания идентифицировали "
    u"химического соединения середине располагались прочитанного понимания минуту текста the of "
    u"and a is reading speed window focus letter between information understanding word";

constexpr std::array<std::u16string_view, 6> kSentenceEnds = {u". ", u". ",   u"? ",
                                                              u"! ", u"... ", u"?! "};

std::vector<std::u16string_view> words() {
    std::vector<std::u16string_view> list;
    for (std::size_t start = 0; start < kWordList.size();) {
        const std::size_t end = std::min(kWordList.find(u' ', start), kWordList.size());
        list.push_back(kWordList.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

}  // namespace

std::u16string generatedText(std::size_t wordCount, std::uint32_t seed) {
    const std::vector<std::u16string_view> list = words();
    std::minstd_rand rng(seed);
    const auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    const auto word = [&] { return list[pick(list.size())]; };

    std::u16string text;
    std::size_t sentenceLeft = 5 + pick(15);
    std::size_t sentencesLeft = 3 + pick(5);
    for (std::size_t i = 0; i < wordCount; ++i) {
        const bool bracket = pick(40) == 0;
        if (bracket) text += u'(';
        text += word();
        if (pick(30) == 0) {
            text += u'-';
            text += word();
        }
        if (bracket) text += u')';
        if (--sentenceLeft > 0) {
            const std::size_t mark = pick(20);
            text += mark < 2 ? u", " : mark == 2 ? u": " : mark == 3 ? u" — " : u" ";
            continue;
        }
        sentenceLeft = 5 + pick(15);
        if (--sentencesLeft > 0) {
            text += kSentenceEnds[pick(kSentenceEnds.size())];
            continue;
        }
        sentencesLeft = 3 + pick(5);
        text += pick(4) == 0 ? u".\r\n" : u".\r\n\r\n";
    }
    return text;
}

}  // namespace orvell::bench
