#include "StandIn/GrcResources.hpp"

#include "GSException.hpp"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace StandIn {

namespace {

struct Token {
    enum Kind { Type, String, Number, Word, Symbol, End } kind = End;
    std::string text;
    Int32 line = 0;
};

class Tokenizer {
public:
    explicit Tokenizer(const std::string& text) : text(text) {}

    std::vector<Token> Run() {
        std::vector<Token> tokens;
        while (true) {
            SkipBlanksAndComments();
            if (at >= text.size()) {
                tokens.push_back({Token::End, "", line});
                return tokens;
            }
            char c = text[at];
            if (c == '\'') {
                tokens.push_back({Token::Type, Quoted('\''), line});
            } else if (c == '"') {
                tokens.push_back({Token::String, Quoted('"'), line});
            } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') {
                size_t start = at++;
                while (at < text.size() && std::isalnum(static_cast<unsigned char>(text[at]))) {
                    ++at;
                }
                tokens.push_back({Token::Number, text.substr(start, at - start), line});
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                size_t start = at;
                while (at < text.size() &&
                       (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_')) {
                    ++at;
                }
                tokens.push_back({Token::Word, text.substr(start, at - start), line});
            } else if (c == '{' || c == '}' || c == '|') {
                tokens.push_back({Token::Symbol, std::string(1, c), line});
                ++at;
            } else {
                Fail(std::string("unexpected character '") + c + "'");
            }
        }
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw GS::Exception(GS::UniString::Printf("GRC line %d: %s", line, what.c_str()));
    }

    void SkipBlanksAndComments() {
        while (at < text.size()) {
            if (text[at] == '\n') {
                ++line;
                ++at;
            } else if (std::isspace(static_cast<unsigned char>(text[at]))) {
                ++at;
            } else if (text.compare(at, 2, "/*") == 0) {
                size_t close = text.find("*/", at + 2);
                if (close == std::string::npos) {
                    Fail("unterminated comment");
                }
                line += static_cast<Int32>(std::count(text.begin() + static_cast<long>(at),
                                                      text.begin() + static_cast<long>(close), '\n'));
                at = close + 2;
            } else if (text.compare(at, 2, "//") == 0) {
                while (at < text.size() && text[at] != '\n') {
                    ++at;
                }
            } else {
                return;
            }
        }
    }

    std::string Quoted(char quote) {
        std::string value;
        ++at;
        while (at < text.size() && text[at] != quote) {
            if (text[at] == '\n') {
                Fail("line break inside a literal");
            }
            if (text[at] == '\\' && at + 1 < text.size()) {
                ++at;
                char escaped = text[at];
                value.push_back(escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped);
            } else {
                value.push_back(text[at]);
            }
            ++at;
        }
        if (at >= text.size()) {
            Fail("unterminated literal");
        }
        ++at;
        return value;
    }

    const std::string& text;
    size_t at = 0;
    Int32 line = 1;
};

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens(std::move(tokens)) {}

    ResourceTable Run() {
        ResourceTable table;
        while (Peek().kind != Token::End) {
            std::string type = Expect(Token::Type, "a resource type").text;
            Int32 id = Number();
            if (type == "STR#") {
                Expect(Token::String, "a description");
                table.stringLists[id] = StringList();
            } else if (type == "MDID") {
                Expect(Token::String, "a description");
                table.identifiers[id] = Numbers();
            } else if (type == "GDLG") {
                table.dialogs[id] = Dialog();
            } else {
                SkipBody();
            }
        }
        return table;
    }

private:
    const Token& Peek() const { return tokens[at]; }
    const Token& Next() { return tokens[at < tokens.size() - 1 ? at++ : at]; }

    [[noreturn]] void Fail(const std::string& what) const {
        throw GS::Exception(GS::UniString::Printf("GRC line %d: expected %s, found '%s'", Peek().line,
                                                  what.c_str(), Peek().text.c_str()));
    }

    const Token& Expect(Token::Kind kind, const std::string& what) {
        if (Peek().kind != kind) {
            Fail(what);
        }
        return Next();
    }

    void ExpectSymbol(const char* symbol) {
        if (Peek().kind != Token::Symbol || Peek().text != symbol) {
            Fail(std::string("'") + symbol + "'");
        }
        Next();
    }

    bool AtSymbol(const char* symbol) const { return Peek().kind == Token::Symbol && Peek().text == symbol; }

    Int32 Number() {
        const std::string& text = Expect(Token::Number, "a number").text;
        try {
            size_t used = 0;
            long long value = std::stoll(text, &used, 0);
            if (used != text.size()) {
                throw std::invalid_argument(text);
            }
            return static_cast<Int32>(value);
        } catch (const std::exception&) {
            --at;
            Fail("a number");
        }
    }

    // One entry per line; adjacent literals on a line are one text, as the resource compiler joins them.
    std::vector<GS::UniString> StringList() {
        std::vector<GS::UniString> entries;
        ExpectSymbol("{");
        while (!AtSymbol("}")) {
            Int32 line = Expect(Token::String, "a string").line;
            std::string entry = tokens[at - 1].text;
            while (Peek().kind == Token::String && Peek().line == line) {
                entry += Next().text;
            }
            entries.emplace_back(entry.c_str());
        }
        ExpectSymbol("}");
        return entries;
    }

    std::vector<UInt32> Numbers() {
        std::vector<UInt32> values;
        ExpectSymbol("{");
        while (!AtSymbol("}")) {
            values.push_back(static_cast<UInt32>(Number()));
        }
        ExpectSymbol("}");
        return values;
    }

    DialogResource Dialog() {
        DialogResource dialog;
        dialog.type = Expect(Token::Word, "a dialog type").text;
        while (AtSymbol("|")) {
            Next();
            dialog.flags.push_back(Expect(Token::Word, "a dialog flag").text);
        }
        dialog.x = Number();
        dialog.y = Number();
        dialog.width = Number();
        dialog.height = Number();
        dialog.title = GS::UniString(Expect(Token::String, "a dialog title").text.c_str());
        ExpectSymbol("{");
        while (!AtSymbol("}")) {
            DialogItemResource item;
            Int32 line = Peek().line;
            item.kind = Expect(Token::Word, "a dialog item kind").text;
            item.x = Number();
            item.y = Number();
            item.width = Number();
            item.height = Number();
            while (Peek().line == line && Peek().kind == Token::Word) {
                Next(); // font and alignment words
            }
            if (Peek().line == line && Peek().kind == Token::String) {
                item.text = GS::UniString(Next().text.c_str());
            }
            dialog.items.push_back(item);
        }
        ExpectSymbol("}");
        return dialog;
    }

    void SkipBody() {
        while (!AtSymbol("{")) {
            if (Peek().kind == Token::End) {
                Fail("'{'");
            }
            Next();
        }
        Int32 depth = 0;
        do {
            if (Peek().kind == Token::End) {
                Fail("'}'");
            }
            if (AtSymbol("{")) {
                ++depth;
            } else if (AtSymbol("}")) {
                --depth;
            }
            Next();
        } while (depth > 0);
    }

    std::vector<Token> tokens;
    size_t at = 0;
};

} // namespace

bool DialogResource::HasFlag(const std::string& flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

ResourceTable ParseGrcResources(const std::string& text) {
    return Parser(Tokenizer(text).Run()).Run();
}

} // namespace StandIn
