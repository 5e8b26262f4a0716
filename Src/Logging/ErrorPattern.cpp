#include "Logging/ErrorPattern.hpp"

namespace ErrorAggregation {

namespace {

// Word and digit characters as the regular expressions' \w and \d see them in the "C" locale.
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsWordCharacter(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsGuidCharacter(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == '-';
}

template <typename Pass>
void PutText(Pass& pass, std::string_view text) {
    for (char c : text) {
        pass.Put(c);
    }
}

// Each pass reads the previous pass's output one character at a time and holds back only the
// characters of a match it has begun, so the passes run side by side in one scan of the message.

// \b\d+\b -> <N>: a run of digits with no word character on either side.
class NumberPass {
public:
    explicit NumberPass(std::string& out) : out(out) {}

    void Put(char c) {
        if (!digits.empty()) {
            if (IsDigit(c)) {
                digits.push_back(c);
                return;
            }
            out += IsWordCharacter(c) ? digits : std::string("<N>");
            digits.clear();
        } else if (IsDigit(c) && !afterWordCharacter) {
            digits.push_back(c);
            afterWordCharacter = true;
            return;
        }
        out.push_back(c);
        afterWordCharacter = IsWordCharacter(c);
    }

    void Finish() {
        if (!digits.empty()) {
            out += "<N>";
        }
    }

private:
    std::string& out;
    std::string digits;
    bool afterWordCharacter = false;
};

// \{[0-9A-Fa-f-]+\} -> <guid>.
template <typename Next>
class GuidPass {
public:
    explicit GuidPass(Next& next) : next(next) {}

    void Put(char c) {
        if (!held.empty()) {
            if (IsGuidCharacter(c)) {
                held.push_back(c);
                return;
            }
            if (c == '}' && held.size() > 1) {
                held.clear();
                PutText(next, "<guid>");
                return;
            }
            Release();
        }
        if (c == '{') {
            held.push_back(c);
            return;
        }
        next.Put(c);
    }

    void Finish() {
        Release();
        next.Finish();
    }

private:
    void Release() {
        PutText(next, held);
        held.clear();
    }

    Next& next;
    std::string held;
};

// 'text' (or "text" with the other quote) -> <name>: at least one character between two quotes.
template <typename Next>
class QuotedNamePass {
public:
    QuotedNamePass(char quote, Next& next) : quote(quote), next(next) {}

    void Put(char c) {
        if (held.empty()) {
            if (c == quote) {
                held.push_back(c);
            } else {
                next.Put(c);
            }
            return;
        }
        if (c != quote) {
            held.push_back(c);
        } else if (held.size() > 1) {
            held.clear();
            PutText(next, "<name>");
        } else {
            // Two quotes in a row enclose nothing: the first stays, the second may open a name.
            next.Put(quote);
        }
    }

    void Finish() {
        PutText(next, held);
        held.clear();
        next.Finish();
    }

private:
    char quote;
    Next& next;
    std::string held;
};

} // namespace

std::string NormalizeNarrowMessage(std::string_view message) {
    std::string pattern;
    pattern.reserve(message.size());
    NumberPass numbers(pattern);
    GuidPass<NumberPass> guids(numbers);
    QuotedNamePass<GuidPass<NumberPass>> doubleQuoted('"', guids);
    QuotedNamePass<QuotedNamePass<GuidPass<NumberPass>>> singleQuoted('\'', doubleQuoted);
    PutText(singleQuoted, message);
    singleQuoted.Finish();
    return pattern;
}

} // namespace ErrorAggregation
