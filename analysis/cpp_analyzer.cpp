// The C and C++ analyzer: counts lines, functions, classes, structs and the
// cyclomatic complexity of a file in one pass over its bytes, without
// tokenizing or parsing.
//
// Each byte is handled by the first of these rules that fits (the order is
// part of the behaviour):
//  1. Tab, carriage return, space: nothing.
//  2. Line feed: the line end (below).
//  3. A quote (" or ') outside comments: the literal is skipped up to the same
//     quote not escaped by a single backslash, or up to (not including) the
//     next carriage return or line feed, or the end; the line holds code.
//  4. ( ) , ; : mark the line as punctuation and clear the struct and extern
//     marks, in comments too.
//  5. "*/" closes a block comment, whatever the comment state; when the block
//     opened on this line, the line holds a closed comment.
//  6. "//" (C++ only) starts a line comment, also inside a block comment;
//     "/*" outside a line comment opens a block comment.
//  7. "{" outside comments: opening brace (below).
//  8. "}" outside comments: closing brace (below).
//  9. Any other byte outside comments marks the line as code; a keyword
//     standing there is acted on (keyword table below).
// So "*", "/", whitespace and ( ) , ; { } never make a line code.
//
// Line end: lines + 1; an open block comment makes the line a comment line
// (and keeps the rest of the next line's state in the comment); a line with a
// line comment or a closed comment is a comment line; a line without code,
// comment or punctuation is blank; a line with code is effective. A file whose
// last byte is not a line feed (an empty file too) gets one more line end.
//
// Opening brace: after `extern` or `namespace` the brace is swallowed and not
// counted. Otherwise it is counted; a pending struct mark counts a struct. The
// block is plain (an initializer, else/do block, bare block, enum) when the
// last byte before it, past whitespace and "{", is "=", or when the nearest of
// ; ) : { before it is ";" or "{" or there is none. A top-level block that is
// not plain and follows no class, struct or interface keyword is a function:
// with the function list asked for it gets a record named by the function
// name scan, and its line counts are taken. A top-level block after `class`
// gets a class record from the class name scan.
//
// Closing brace: an unmatched one is ignored. At the end of a top-level block
// a class, struct, plain or interface block counts a class when `class` was
// seen; any other block is a function whose complexity is 1 plus the
// decisions since the last top-level close; the decisions are dropped either
// way. Every counted closing brace clears the plain mark.
//
// Keywords count only outside comments, after a byte of their leading set (so
// never at the first byte of the file) and before a byte of their trailing
// set, a NUL or the end; case matters.
//
// Function records: a function's lines run from its header line (the brace
// line, or the line before it when a line break stands between the parameter
// list and the brace) to the line of its closing brace, 1 when that is the
// same line. Its comment and blank lines are those completed from the brace
// line on; its effective lines too, less the header line when that was
// counted as effective, plus the closing line when code stands before the
// brace; a function written on one line has 1.
//
// Decisions: `for` and `case` add 1; `if` and `while` add 1 plus one for each
// "&&" or "||" (any two of & and |) between the keyword and the end of their
// condition, found by counting parentheses forward over the raw bytes from the
// second byte after the keyword's first letter until at least one "(" has been
// seen and the counts are equal (or the file ends).
//
// Time is linear in the file: everything the rules find by walking backward
// is remembered during the forward pass instead, and the forward condition
// scans of `if` and `while` run alongside the main pass (a function whose
// conditions are still open when it closes gets its complexity when they end).
//
// The pass goes 64 bytes at a time. The bytes of a block are classified at
// once into bit masks (classify.h); runs of bytes between the few that need
// their own rule (quotes, braces, comment marks, the byte before a possible
// keyword) are applied in bulk from the masks, their lines included.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "analyzer.h"
#include "classify.h"
#include "names.h"

namespace tarnel {
namespace {

// What a byte of a literal is to the tracking of its contents (the bulk pass
// learns the same from the block masks).
enum class ByteClass : std::uint8_t {
    Code,       // only marks the line as code (letters, digits, most punctuation)
    Blank,      // space, tab
    Return,     // carriage return
    NewLine,    // line feed
    Quote,      // " and '
    OpenParen,  // (
    CloseParen, // )
    Punct,      // , ; :
    Star,       // *
    Slash,      // /
    OpenBrace,  // {
    CloseBrace, // }
    AndOr,      // & and |, counted in conditions
};

constexpr std::array<ByteClass, 256> makeClasses() {
    std::array<ByteClass, 256> table{};
    table.fill(ByteClass::Code);
    table[' '] = table['\t'] = ByteClass::Blank;
    table['\r'] = ByteClass::Return;
    table['\n'] = ByteClass::NewLine;
    table['"'] = table['\''] = ByteClass::Quote;
    table['('] = ByteClass::OpenParen;
    table[')'] = ByteClass::CloseParen;
    table[','] = table[';'] = table[':'] = ByteClass::Punct;
    table['*'] = ByteClass::Star;
    table['/'] = ByteClass::Slash;
    table['{'] = ByteClass::OpenBrace;
    table['}'] = ByteClass::CloseBrace;
    table['&'] = table['|'] = ByteClass::AndOr;
    return table;
}
constexpr std::array<ByteClass, 256> kClass = makeClasses();

// Letters that begin a keyword: the keyword test runs where one follows a byte
// of some keyword's leading set.
constexpr std::array<bool, 256> makeSet(std::string_view bytes) {
    std::array<bool, 256> set{};
    for (char c : bytes) {
        set[static_cast<unsigned char>(c)] = true;
    }
    return set;
}
constexpr std::array<bool, 256> kKeywordStart = makeSet("cefinsw");

enum class Action : std::uint8_t {
    Condition, // a decision with a condition scan
    Decision,  // a decision worth 1
    ClassMark,
    StructMark,
    ExternMark,
    InterfaceMark,
    NamespaceMark,
};

struct KeywordRule {
    Keyword word;
    Action action;
};

constexpr std::string_view kStatementLead = " (){}\t\n;";
constexpr std::string_view kWordTrail = " ()\t\n";

constexpr KeywordRule kKeywords[] = {
    {{"if", kStatementLead, kWordTrail}, Action::Condition},
    {{"while", kStatementLead, kWordTrail}, Action::Condition},
    {{"for", kStatementLead, kWordTrail}, Action::Decision},
    {{"case", kStatementLead, " :()\t\n"}, Action::Decision},
    {kClassWord, Action::ClassMark},
    {{"struct", kStatementLead, kWordTrail}, Action::StructMark},
    {{"extern", kStatementLead, " ()\t\n\x1c"}, Action::ExternMark},
    {{"interface", kStatementLead, kWordTrail}, Action::InterfaceMark},
    {{"namespace", ": )}\t\n;", " ({\t\n"}, Action::NamespaceMark},
};

// The keyword table as lookup tables: the sets as 256 flags (NUL counts as a
// trailing byte), and for each first letter the rules that begin with it.
struct CompiledKeyword {
    std::string_view text;
    std::array<bool, 256> leading;
    std::array<bool, 256> trailing;
    Action action;
};

constexpr auto kCompiled = [] {
    std::array<CompiledKeyword, std::size(kKeywords)> out{};
    for (std::size_t k = 0; k < out.size(); ++k) {
        out[k].text = kKeywords[k].word.text;
        out[k].leading = makeSet(kKeywords[k].word.leading);
        out[k].trailing = makeSet(kKeywords[k].word.trailing);
        out[k].trailing[0] = true;
        out[k].action = kKeywords[k].action;
    }
    return out;
}();

// Up to two rules per first letter; -1 where there is none.
constexpr auto kRulesByLetter = [] {
    std::array<std::array<std::int8_t, 2>, 256> out{};
    for (auto& pair : out) {
        pair = {-1, -1};
    }
    for (std::size_t k = 0; k < std::size(kKeywords); ++k) {
        auto& pair = out[static_cast<unsigned char>(kKeywords[k].word.text[0])];
        pair[pair[0] < 0 ? 0 : 1] = static_cast<std::int8_t>(k);
    }
    return out;
}();

int clampInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

// Counters, line flags, comment state and block marks of one file.
struct CppState {
    std::int64_t lines = 0;           // line feeds passed; also the 0-based current line
    std::int64_t comments = 0;        // comment lines
    std::int64_t blanks = 0;          // blank lines
    std::int64_t effective = 0;       // lines holding code
    std::int64_t functions = 0;       // top-level blocks closed as functions
    std::int64_t classes = 0;         // top-level blocks closed after `class`
    std::int64_t structs = 0;         // counted braces opened after `struct`
    std::int64_t ccSum = 0;           // sum of the function complexities
    std::int64_t ccMin = -1;          // smallest complexity; -1 until the first function
    std::int64_t ccMax = 0;           // largest complexity
    std::int64_t opens = 0;           // counted opening braces
    std::int64_t closes = 0;          // counted closing braces; opens - closes is the depth
    std::int64_t blockStartLine = -1; // line of the latest "/*"; -1 before any

    bool code = false;          // this line holds code; cleared at each line end
    bool punct = false;         // this line holds one of ( ) , ; { }; cleared at line end
    bool closedComment = false; // a block comment opened and closed on this line
    bool lineComment = false;   // rest of the line is comment; kept while a block is open
    bool block = false;         // a block comment is open

    bool classMark = false;     // `class` seen; cleared at a top-level close
    bool structMark = false;    // `struct` seen; cleared by ( ) , ; and counted "{"
    bool structBlock = false;   // a struct brace opened; cleared at a top-level close
    bool plainBlock = false;    // the last counted "{" opened a plain block; cleared by "}"
    bool externMark = false;    // `extern` seen; cleared by ( ) , ; or a swallowed "{"
    bool interfaceMark = false; // `interface` seen; cleared at a top-level close
    bool namespaceMark = false; // `namespace` seen; cleared by a swallowed "{"

    unsigned char lastSolid = 0;   // last byte that is not whitespace or "{" (0: none)
    unsigned char lastStopper = 0; // last of ; ) : { (0: none)
    Pos lastLineBreak = -1;        // position of the last CR or LF
    Pos lastClose = -1;            // position of the last ")"
    Pos lastCloseMatch = -1;       // the "(" matching it, -1 when unmatched
};

// The function record of the top-level block that is open, with the counts
// taken at its opening brace.
struct OpenFunction {
    mtrc_func* record = nullptr; // null when the block has no record
    std::int64_t line = 0;       // lines at the brace
    std::int64_t comments = 0;
    std::int64_t blanks = 0;
    std::int64_t effective = 0;
    bool lineBreak = false;       // a line break between ")" and the brace
    bool headerPending = false;   // the brace line has not ended yet
    bool headerEffective = false; // the brace line was counted effective
};

// Condition scans of `if` and `while`, run alongside the main pass.
//
// A scan started at s with parenthesis depth b (opening minus closing
// parentheses before s) ends at the first byte after which a "(" has been seen
// and the depth is b again. Until the first "(" it waits ("unseen"); at that
// "(" it ends at once or waits for the depth to rise to b (above) or to fall
// back to b (below). Waiting targets above are ever smaller and below ever
// larger toward the top of their stacks, so only the tops can end at a
// parenthesis. Its "&&" count is the number of pairs before its end minus the
// number before its start, so the scan itself carries no count.
//
// The decisions since the last top-level close form a group; a function that
// closes while scans of its group are still open gets its complexity when the
// last of them ends.
class ConditionScans {
public:
    // What to do with a finished function's complexity.
    struct Sink {
        virtual void functionDone(std::int64_t complexity, mtrc_func* record) = 0;
    };

    explicit ConditionScans(Sink& sink) : sink_(sink) { groups_.push_back({}); }

    void addDecision() { ++groups_[current_].decisions; }

    void startCondition() {
        Group& g = groups_[current_];
        g.decisions -= pairs_;
        ++g.open;
        push(unseen_, depth_);
    }

    void pairAhead() { ++pairs_; }
    void addPairs(int n) { pairs_ += n; }
    bool idle() const { return unseen_.empty() && above_.empty() && below_.empty(); }

    void openParen() {
        if (unseen_.empty() && above_.empty()) {
            ++depth_;
            return;
        }
        const std::int64_t next = depth_ + 1;
        while (!above_.empty() && above_.back().target == next) {
            finish(above_.back());
            above_.pop_back();
        }
        for (const Waiting& w : unseen_) {
            if (w.target == next) {
                finish(w);
            } else if (w.target > next) {
                push(above_, w.target, w.group, w.count);
            } else {
                push(below_, w.target, w.group, w.count);
            }
        }
        unseen_.clear();
        depth_ = next;
    }

    void closeParen() {
        if (below_.empty()) {
            --depth_;
            return;
        }
        const std::int64_t next = depth_ - 1;
        while (!below_.empty() && below_.back().target == next) {
            finish(below_.back());
            below_.pop_back();
        }
        depth_ = next;
    }

    // A top-level block closed: its decisions end here, for a function or not.
    void closeGroup(bool isFunction, mtrc_func* record) {
        Group& g = groups_[current_];
        if (g.open == 0) {
            if (isFunction) {
                sink_.functionDone(1 + g.decisions, record);
            }
            g = Group{};
            return;
        }
        g.state = isFunction ? Group::Function : Group::Dropped;
        g.record = record;
        if (free_.empty()) {
            groups_.push_back({});
            current_ = static_cast<std::uint32_t>(groups_.size() - 1);
        } else {
            current_ = free_.back();
            free_.pop_back();
        }
    }

    // The end of the file ends every scan still open.
    void endOfFile() {
        for (auto* list : {&unseen_, &above_, &below_}) {
            for (const Waiting& w : *list) {
                finish(w);
            }
            list->clear();
        }
    }

private:
    struct Group {
        enum State : std::uint8_t { Collecting, Function, Dropped };
        std::int64_t decisions = 0; // decisions, with open scans' pair counts pending
        std::int64_t open = 0;      // scans of this group not yet ended
        mtrc_func* record = nullptr;
        State state = Collecting;
    };
    struct Waiting {
        std::int64_t target; // depth at which the scans end (unseen: depth at start)
        std::uint32_t group;
        std::uint32_t count; // scans of the same group and target
    };

    void push(std::vector<Waiting>& list, std::int64_t target) { push(list, target, current_, 1); }
    void push(std::vector<Waiting>& list, std::int64_t target, std::uint32_t group,
              std::uint32_t count) {
        if (!list.empty() && list.back().target == target && list.back().group == group &&
            list.back().count <= UINT32_MAX - count) {
            list.back().count += count;
        } else {
            list.push_back({target, group, count});
        }
    }

    void finish(const Waiting& w) {
        Group& g = groups_[w.group];
        g.decisions += static_cast<std::int64_t>(w.count) * pairs_;
        g.open -= w.count;
        if (g.open == 0 && g.state != Group::Collecting) {
            if (g.state == Group::Function) {
                sink_.functionDone(1 + g.decisions, g.record);
            }
            g = Group{};
            free_.push_back(w.group);
        }
    }

    Sink& sink_;
    std::vector<Group> groups_;       // groups still referenced by open scans, and the current one
    std::vector<std::uint32_t> free_; // reusable entries of groups_
    std::uint32_t current_ = 0;       // group of the decisions being counted
    std::vector<Waiting> unseen_;     // scans that have not met a "(" yet
    std::vector<Waiting> above_;      // scans waiting for the depth to rise
    std::vector<Waiting> below_;      // scans waiting for the depth to fall
    std::int64_t depth_ = 0;          // "(" minus ")" before the current byte
    std::int64_t pairs_ = 0;          // positions before the current byte holding a pair
};

class CppAnalyzer : private ConditionScans::Sink {
public:
    CppAnalyzer(const unsigned char* data, std::size_t size, bool cMode, bool wantFunctions,
                bool wantClasses)
        : data_(data), size_(size), cMode_(cMode), wantFunctions_(wantFunctions),
          wantClasses_(wantClasses), scans_(*this) {}

    // Releases the lists when the analysis did not hand them over (out of memory).
    ~CppAnalyzer() {
        while (funcList_ != nullptr) {
            mtrc_func* next = funcList_->next;
            delete[] funcList_->name;
            delete funcList_;
            funcList_ = next;
        }
        while (classList_ != nullptr) {
            mtrc_class* next = classList_->next;
            delete[] classList_->name;
            delete classList_;
            classList_ = next;
        }
    }
    CppAnalyzer(const CppAnalyzer&) = delete;
    CppAnalyzer& operator=(const CppAnalyzer&) = delete;

    mtrc_lines* run();

private:
    void loadBlock(std::size_t base);
    void applyRegion(std::uint64_t region);
    void lineFlags(std::uint64_t region);
    void applyMarks(std::uint64_t region);
    void settle(std::size_t to);
    std::size_t stopAt(std::size_t i);
    bool inComment() const { return s_.lineComment || s_.block; }
    unsigned char at(std::size_t i) const { return i < size_ ? data_[i] : 0; }

    void lineEnd();
    void track(std::size_t i, unsigned char c);
    void closeParenSeen(std::size_t i);
    std::size_t literal(std::size_t i);
    bool matches(const CompiledKeyword& rule, std::size_t p) const;
    void keywordsAt(std::size_t p);
    void openBrace(std::size_t p);
    void closeBrace();
    void makeFunctionRecord();
    void fillFunctionRecord(mtrc_func* record) const;
    void functionDone(std::int64_t complexity, mtrc_func* record) override;

    const unsigned char* data_;
    std::size_t size_;
    bool cMode_;
    bool wantFunctions_;
    bool wantClasses_;
    CppState s_;
    OpenFunction fn_;
    ConditionScans scans_;
    std::vector<Pos> openParens_; // unmatched "(" positions, kept for the function name scan
    NameScanMemo names_;          // what earlier function name scans found
    Classifier classify_ = activeClassifier();
    BlockMasks m_{};       // the block being passed over
    std::size_t base_ = 0; // its first byte
    // The last solid byte, stopper and line break are brought up to date from
    // the masks only when a brace needs them: they hold for the bytes before
    // settled_.
    std::size_t settled_ = 0;
    mtrc_func* funcList_ = nullptr;
    mtrc_class* classList_ = nullptr;
};

void CppAnalyzer::lineEnd() {
    if (fn_.headerPending && s_.lines == fn_.line) {
        fn_.headerEffective = s_.code;
        fn_.headerPending = false;
    }
    ++s_.lines;
    if (s_.block) {
        s_.lineComment = true;
    }
    if (s_.lineComment || s_.closedComment) {
        ++s_.comments;
    }
    if (!s_.code && !s_.lineComment && !s_.block && !s_.punct && !s_.closedComment) {
        ++s_.blanks;
    }
    if (s_.code) {
        ++s_.effective;
    }
    if (!s_.block) {
        s_.lineComment = false;
    }
    s_.code = s_.punct = s_.closedComment = false;
}

// Remembers what the backward walks and the condition scans need of byte i
// of a literal, its quotes included.
void CppAnalyzer::track(std::size_t i, unsigned char c) {
    switch (kClass[c]) {
    case ByteClass::Blank: break;
    case ByteClass::Return:
    case ByteClass::NewLine: s_.lastLineBreak = static_cast<Pos>(i); break;
    case ByteClass::OpenParen:
        s_.lastSolid = c;
        scans_.openParen();
        if (wantFunctions_) {
            openParens_.push_back(static_cast<Pos>(i));
        }
        break;
    case ByteClass::CloseParen:
        s_.lastSolid = c;
        s_.lastStopper = c;
        closeParenSeen(i);
        break;
    case ByteClass::Punct:
        s_.lastSolid = c;
        if (c != ',') {
            s_.lastStopper = c;
        }
        break;
    case ByteClass::OpenBrace: s_.lastStopper = c; break;
    case ByteClass::AndOr: {
        s_.lastSolid = c;
        const unsigned char next = at(i + 1);
        if (next == '&' || next == '|') {
            scans_.pairAhead();
        }
        break;
    }
    case ByteClass::Code:
    case ByteClass::Quote:
    case ByteClass::Star:
    case ByteClass::Slash:
    case ByteClass::CloseBrace: s_.lastSolid = c; break;
    }
}

// A ")" at i: the condition scans, and the parameter list end for the
// function name scan.
void CppAnalyzer::closeParenSeen(std::size_t i) {
    scans_.closeParen();
    if (wantFunctions_) {
        s_.lastClose = static_cast<Pos>(i);
        if (openParens_.empty()) {
            s_.lastCloseMatch = -1;
        } else {
            s_.lastCloseMatch = openParens_.back();
            openParens_.pop_back();
        }
    }
}

// Skips the literal whose quote is at i; returns the position after it.
std::size_t CppAnalyzer::literal(std::size_t i) {
    settle(i);
    const unsigned char quote = data_[i];
    track(i, quote);
    std::size_t j = i;
    while (j + 1 < size_) {
        const unsigned char next = data_[j + 1];
        if (next == quote && !(data_[j] == '\\' && data_[j - 1] != '\\')) {
            ++j;
            track(j, next);
            break;
        }
        if (next == '\r' || next == '\n') {
            break;
        }
        ++j;
        track(j, next);
    }
    s_.code = true;
    settled_ = j + 1;
    return j + 1;
}

// The keyword test of the table's rules at p (p > 0), without the general
// matcher's set searches: it runs at every blank or punctuation before a letter.
bool CppAnalyzer::matches(const CompiledKeyword& rule, std::size_t p) const {
    if (!rule.leading[data_[p - 1]] || size_ - p < rule.text.size()) {
        return false;
    }
    for (std::size_t k = 1; k < rule.text.size(); ++k) {
        if (data_[p + k] != static_cast<unsigned char>(rule.text[k])) {
            return false;
        }
    }
    const std::size_t after = p + rule.text.size();
    return after >= size_ || rule.trailing[data_[after]];
}

void CppAnalyzer::keywordsAt(std::size_t p) {
    for (const std::int8_t index : kRulesByLetter[data_[p]]) {
        if (index < 0 || !matches(kCompiled[static_cast<std::size_t>(index)], p)) {
            continue;
        }
        switch (kCompiled[static_cast<std::size_t>(index)].action) {
        case Action::Condition:
            scans_.addDecision();
            scans_.startCondition();
            break;
        case Action::Decision: scans_.addDecision(); break;
        case Action::ClassMark: s_.classMark = true; break;
        case Action::StructMark: s_.structMark = true; break;
        case Action::ExternMark: s_.externMark = true; break;
        case Action::InterfaceMark: s_.interfaceMark = true; break;
        case Action::NamespaceMark: s_.namespaceMark = true; break;
        }
    }
}

void CppAnalyzer::openBrace(std::size_t p) {
    settle(p);
    s_.punct = true;
    if (s_.externMark || s_.namespaceMark) {
        s_.externMark = s_.namespaceMark = false;
        return;
    }
    ++s_.opens;
    if (s_.structMark) {
        ++s_.structs;
        s_.structBlock = true;
    }
    // An initializer: "=" before the brace, past whitespace and braces.
    if (!s_.plainBlock && s_.lastSolid == '=') {
        s_.plainBlock = true;
    }
    // No ")" or ":" since the last statement or brace.
    if (!s_.plainBlock && (s_.lastStopper == 0 || s_.lastStopper == ';' || s_.lastStopper == '{')) {
        s_.plainBlock = true;
    }
    const bool topLevel = s_.opens - s_.closes == 1;
    if (topLevel) {
        fn_ = OpenFunction{};
        if (wantFunctions_ && !s_.plainBlock && !s_.classMark && !s_.structMark &&
            !s_.interfaceMark) {
            makeFunctionRecord();
        }
        if (wantClasses_ && s_.classMark && !s_.structMark) {
            if (mtrc_class* cls = scanClassName(data_, size_, p)) {
                cls->next = classList_;
                classList_ = cls;
            }
        }
    }
    s_.structMark = false;
}

void CppAnalyzer::makeFunctionRecord() {
    // The parameter list is the last ")" before the brace and its "(", both
    // remembered on the way; the rest of the name scan depends on the ")" only.
    const Pos close = s_.lastClose;
    const FunctionName found =
        scanFunctionNameFrom(data_, size_, close < 0 ? -1 : s_.lastCloseMatch, &names_);
    std::unique_ptr<char[]> name(copyName(data_, found));
    auto* record = new mtrc_func{};
    record->name = name.release();
    record->next = funcList_;
    funcList_ = record;
    fn_.record = record;
    fn_.line = s_.lines;
    fn_.comments = s_.comments;
    fn_.blanks = s_.blanks;
    fn_.effective = s_.effective;
    fn_.lineBreak = found.lineBreak || s_.lastLineBreak > close;
    fn_.headerPending = true;
}

void CppAnalyzer::closeBrace() {
    s_.punct = true;
    ++s_.closes;
    if (s_.closes > s_.opens) {
        --s_.closes;
        return;
    }
    if (s_.closes == s_.opens) {
        if (s_.classMark || s_.structBlock || s_.plainBlock || s_.interfaceMark) {
            if (s_.classMark) {
                ++s_.classes;
            }
            s_.classMark = s_.structBlock = s_.interfaceMark = false;
            scans_.closeGroup(false, nullptr);
        } else {
            ++s_.functions;
            if (fn_.record != nullptr) {
                fillFunctionRecord(fn_.record);
            }
            scans_.closeGroup(true, fn_.record);
        }
        fn_ = OpenFunction{};
    }
    s_.plainBlock = false;
}

// Line numbers of a function record at its closing brace. The header line is
// the brace line, or the line before it when a line break separates the
// parameter list from the brace.
void CppAnalyzer::fillFunctionRecord(mtrc_func* record) const {
    const std::int64_t start = fn_.lineBreak ? fn_.line - 1 : fn_.line;
    const std::int64_t end = s_.lines;
    record->lines = clampInt(end == start ? 1 : end - start);
    record->comments = clampInt(s_.comments - fn_.comments);
    record->blanks = clampInt(s_.blanks - fn_.blanks);
    std::int64_t effective = s_.effective - fn_.effective;
    if (!fn_.lineBreak) {
        // The header line is left out; it was counted only if it held code.
        // A function on one line has not ended its line yet: its line counts once.
        if (end == start || fn_.headerEffective) {
            --effective;
        }
    }
    if (end == start) {
        ++effective;
    }
    if (s_.code) {
        ++effective;
    }
    record->effective = clampInt(effective);
}

void CppAnalyzer::functionDone(std::int64_t complexity, mtrc_func* record) {
    s_.ccSum += complexity;
    if (s_.ccMin < 0 || complexity < s_.ccMin) {
        s_.ccMin = complexity;
    }
    s_.ccMax = std::max(s_.ccMax, complexity);
    if (record != nullptr) {
        record->cc = clampInt(complexity);
    }
}

// Bits set in a mask. Written out because the baseline instruction set has no
// population count instruction.
inline int popCount(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}
inline unsigned highest(std::uint64_t bits) {
    return 63 - static_cast<unsigned>(__builtin_clzll(bits));
}
inline unsigned lowest(std::uint64_t bits) {
    return static_cast<unsigned>(__builtin_ctzll(bits));
}
// The bits below bit q.
inline std::uint64_t below(unsigned q) {
    return (std::uint64_t{1} << q) - 1;
}

// Classifies the 64 bytes at base. The block at the end of the buffer is
// copied with zeros after it (a zero reads like the end of the buffer to
// every rule), and its masks keep only the bytes of the buffer.
void CppAnalyzer::loadBlock(std::size_t base) {
    base_ = base;
    const std::size_t left = size_ - base;
    if (left >= 66) {
        classify_(data_ + base, m_);
        return;
    }
    unsigned char padded[66] = {};
    std::copy(data_ + base, data_ + size_, padded);
    classify_(padded, m_);
    const std::uint64_t valid = left >= 64 ? ~std::uint64_t{0} : below(static_cast<unsigned>(left));
    for (std::uint64_t* mask :
         {&m_.stops, &m_.keywords, &m_.lineFeeds, &m_.returns, &m_.code, &m_.punct, &m_.solid,
          &m_.stoppers, &m_.opens, &m_.closes, &m_.pairs}) {
        *mask &= valid;
    }
}

// The code and punctuation flags of the current line, from bytes of one line.
__attribute__((always_inline)) inline void CppAnalyzer::lineFlags(std::uint64_t region) {
    if ((m_.code & region) != 0 && !inComment()) {
        s_.code = true;
    }
    if ((m_.punct & region) != 0) {
        s_.punct = true;
    }
}

// What bytes of the block do that does not depend on their line: the marks
// that punctuation clears, and the parentheses and "&&" pairs that the
// condition scans and the function name scan follow.
__attribute__((always_inline)) inline void CppAnalyzer::applyMarks(std::uint64_t region) {
    if ((m_.punct & region) != 0) {
        s_.structMark = s_.externMark = false;
    }
    // While no condition scan is open, parentheses and pairs matter only to
    // the function name scan: a scan counts the depth and the pairs it
    // passes relative to where it starts.
    if (!wantFunctions_ && scans_.idle()) {
        return;
    }
    std::uint64_t pairs = m_.pairs & region;
    // One parenthesis at a time: a scan may end at it, counting the pairs
    // before it, and the function name scan remembers it.
    for (std::uint64_t bits = (m_.opens | m_.closes) & region; bits != 0; bits &= bits - 1) {
        const unsigned q = lowest(bits);
        if (const std::uint64_t before = pairs & below(q); before != 0) {
            scans_.addPairs(popCount(before));
            pairs &= ~before;
        }
        const std::size_t pos = base_ + q;
        if ((m_.opens >> q) & 1) {
            scans_.openParen();
            if (wantFunctions_) {
                openParens_.push_back(static_cast<Pos>(pos));
            }
        } else {
            closeParenSeen(pos);
        }
    }
    if (pairs != 0) {
        scans_.addPairs(popCount(pairs));
    }
}

// Brings the last solid byte, stopper and line break up to the bytes before
// `to`, which lies in the current block or just after it. They are plain
// properties of the bytes, whatever the comment or literal state.
void CppAnalyzer::settle(std::size_t to) {
    if (to <= settled_) {
        return;
    }
    const std::uint64_t range =
        ~below(static_cast<unsigned>(settled_ - base_)) &
        (to - base_ >= 64 ? ~std::uint64_t{0} : below(static_cast<unsigned>(to - base_)));
    if (const std::uint64_t solid = m_.solid & range; solid != 0) {
        s_.lastSolid = data_[base_ + highest(solid)];
    }
    if (const std::uint64_t stoppers = m_.stoppers & range; stoppers != 0) {
        s_.lastStopper = data_[base_ + highest(stoppers)];
    }
    if (const std::uint64_t breaks = (m_.returns | m_.lineFeeds) & range; breaks != 0) {
        s_.lastLineBreak = static_cast<Pos>(base_ + highest(breaks));
    }
    settled_ = to;
}

// Applies the bytes `region` of the block, none of which is a stop, line
// feeds included. No comment opens or closes inside the region, so after its
// first line feed every line is either inside a block comment (a comment
// line) or outside any comment: such a line holds code when a code byte
// stands in it, and is blank when neither code nor punctuation does. Those
// lines are counted together: adding the code bits to the complement of the
// line feeds carries a bit from each code byte up to the line feed that ends
// its line.
void CppAnalyzer::applyRegion(std::uint64_t region) {
    if (region == 0) {
        return;
    }
    const std::uint64_t feeds = m_.lineFeeds & region;
    if (feeds == 0) {
        lineFlags(region);
        applyMarks(region);
        return;
    }
    const std::uint64_t first = feeds & (0 - feeds);
    lineFlags(region & (first - 1));
    lineEnd();
    if (const std::uint64_t more = feeds & ~first; more != 0) {
        const int count = popCount(more);
        s_.lines += count;
        if (s_.block) {
            s_.comments += count;
        } else {
            const std::uint64_t later = region & ~(first | (first - 1));
            const std::uint64_t code = m_.code & later;
            const std::uint64_t used = (m_.code | m_.punct) & later;
            s_.effective += popCount((~more + code) & more);
            s_.blanks += count - popCount((~more + used) & more);
        }
    }
    const std::uint64_t last = std::uint64_t{1} << highest(feeds);
    lineFlags(region & ~(last | (last - 1)));
    applyMarks(region);
}

// Applies the rule of a stop that leads no keyword: a quote, a brace, or the
// "*" or "/" of a comment mark. Returns the position of the next byte to
// look at (after a literal, the byte after its end).
std::size_t CppAnalyzer::stopAt(std::size_t i) {
    switch (data_[i]) {
    case '"':
    case '\'': // rule 3
        return inComment() ? i + 1 : literal(i);
    case '*': // rule 5
        if (at(i + 1) == '/') {
            s_.block = false;
            if (s_.blockStartLine == s_.lines) {
                s_.closedComment = true;
            }
        }
        return i + 1;
    case '/': // rule 6
        if (!cMode_ && at(i + 1) == '/') {
            s_.lineComment = true;
        }
        if (at(i + 1) == '*' && !s_.lineComment) {
            s_.block = true;
            s_.blockStartLine = s_.lines;
        }
        return i + 1;
    case '{': // rule 7
        if (!inComment()) {
            openBrace(i);
        }
        break;
    case '}': // rule 8
        if (!inComment()) {
            closeBrace();
        }
        break;
    default: return i + 1; // the masks stop at no other byte
    }
    // A brace may lead a keyword.
    if (i + 1 < size_ && kKeywordStart[data_[i + 1]] && !inComment()) {
        keywordsAt(i + 1);
    }
    return i + 1;
}

mtrc_lines* CppAnalyzer::run() {
    std::size_t i = 0;
    while (i < size_) {
        // Bytes between stops go in bulk, each stop by its rule. A literal may
        // run past the block; the next block then starts after it.
        loadBlock(i);
        std::uint64_t live = ~std::uint64_t{0};
        for (;;) {
            const std::uint64_t stops = m_.stops & live;
            if (stops == 0) {
                applyRegion(live);
                i = std::min(size_, base_ + 64);
                break;
            }
            const unsigned q = lowest(stops);
            if ((m_.keywords >> q) & 1) {
                // The byte before a keyword's letters goes with the bulk; then
                // the keyword test (the letters exist: they were classified).
                applyRegion(live & (below(q) | (std::uint64_t{1} << q)));
                i = base_ + q + 1;
                if (!inComment()) {
                    keywordsAt(i);
                }
            } else {
                applyRegion(live & below(q));
                i = stopAt(base_ + q);
            }
            if (i >= base_ + 64 || i >= size_) {
                break;
            }
            live = ~below(static_cast<unsigned>(i - base_));
        }
        settle(std::min(i, base_ + 64));
    }
    if (size_ == 0 || data_[size_ - 1] != '\n') {
        lineEnd();
    }
    scans_.endOfFile();

    auto* result = new mtrc_lines{}; // the last allocation: nothing can fail after it
    result->lines = clampInt(s_.lines);
    result->comments = clampInt(s_.comments);
    result->blanks = clampInt(s_.blanks);
    result->effective = clampInt(s_.effective);
    result->functions = clampInt(s_.functions);
    result->cc_min = s_.ccMin < 0 ? 0 : clampInt(s_.ccMin);
    result->cc_max = clampInt(s_.ccMax);
    result->cc_avg = s_.functions == 0 ? 0 : clampInt(s_.ccSum / s_.functions);
    result->classes = clampInt(s_.classes);
    result->structs = clampInt(s_.structs);
    result->func_list = funcList_;
    result->class_list = classList_;
    funcList_ = nullptr;
    classList_ = nullptr;
    return result;
}

} // namespace

mtrc_lines* analyzeCpp(const unsigned char* data, std::size_t size, bool cMode, bool wantFunctions,
                       bool wantClasses) {
    CppAnalyzer analyzer(data, size, cMode, wantFunctions, wantClasses);
    return analyzer.run();
}

} // namespace tarnel
