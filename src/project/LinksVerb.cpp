#include "project/LinksVerb.h"

#include "project/SiteWalk.h"
#include "project/TextStore.h"
#include "text/Encoding.h"
#include "text/UserError.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <memory>
#include <ostream>

namespace orvanel {

namespace {

using project::BrokenReason;
using project::LinkState;
using project::ScanEntry;

const char* const kUsage = "使い方: orvanel links TOPPAGE [--json] [--any-form]";

// Output goes through one buffer, written out in large pieces. Texts are copied into it
// with their lengths known, as a page may have hundreds of thousands of lines.
class Output {
public:
    explicit Output(std::ostream& out) : out_(out), buffer_(std::make_unique_for_overwrite<char[]>(kSize)), size_(kSize) {}
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    Output& operator<<(std::string_view s)
    {
        char* at = room(s.size());
        std::copy(s.begin(), s.end(), at);
        used_ += s.size();
        return *this;
    }
    Output& operator<<(char c)
    {
        *room(1) = c;
        ++used_;
        return *this;
    }
    // One line of texts separated by tabs. The texts are taken by reference and read a
    // length and a pointer at a time: a record that was just written field by field is
    // not read back in larger pieces, which would wait for the writes.
    template <typename... Texts>
    void tabbedLine(std::string_view prefix, const Texts&... fields)
    {
        const std::size_t length = prefix.size() + sizeof...(fields) + (fields.size() + ...);
        char* out = std::copy_n(prefix.data(), prefix.size(), room(length));
        ((out = std::copy_n(fields.data(), fields.size(), out), *out++ = '\t'), ...);
        out[-1] = '\n';
        used_ += length;
    }
    void flush()
    {
        out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
        used_ = 0;
    }
    // A JSON string: quoted and escaped; bytes that are not UTF-8 (in a file name) become U+FFFD.
    void json(std::string_view s)
    {
        std::string clean;
        if (!text::isValidUtf8(s)) {
            clean = text::sanitizeUtf8(s);
            s = clean;
        }
        // The room it takes, counted first: a text of megabytes gets no more than that.
        std::size_t length = s.size() + 2;
        for (char c : s)
            length += c == '"' || c == '\\' ? 1 : static_cast<unsigned char>(c) < 0x20 ? 5 : 0;
        char* const start = room(length);
        char* out = start;
        *out++ = '"';
        for (char c : s) {
            if (c == '"' || c == '\\') {
                *out++ = '\\';
                *out++ = c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                static const char* const hex = "0123456789abcdef";
                out = std::copy_n("\\u00", 4, out);
                *out++ = hex[(c >> 4) & 0xF];
                *out++ = hex[c & 0xF];
            } else {
                *out++ = c;
            }
        }
        *out++ = '"';
        used_ += static_cast<std::size_t>(out - start);
    }

private:
    static constexpr std::size_t kSize = std::size_t{1} << 20;

    // Where `n` more bytes go: the buffer is written out first when they do not fit, and
    // grows for a text longer than itself.
    char* room(std::size_t n)
    {
        if (size_ - used_ < n) {
            flush();
            if (size_ < n) {
                buffer_ = std::make_unique_for_overwrite<char[]>(n);
                size_ = n;
            }
        }
        return buffer_.get() + used_;
    }

    std::ostream& out_;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_;
    std::size_t used_ = 0;
};

std::string_view stateWord(LinkState state)
{
    switch (state) {
    case LinkState::File: return "file";
    case LinkState::WebAddress: return "url";
    case LinkState::Missing: return "missing";
    case LinkState::AnchorMissing: return "anchor-missing";
    }
    return "";
}

// The broken references, kept for the end of the output: a site may have tens of thousands.
// Their texts go into a store that never moves them, and the list grows in pieces, so that
// nothing is copied as they grow.
class Problems {
public:
    struct Problem {
        std::string_view page;
        std::string_view written;
        BrokenReason reason;
        std::string_view target;
    };

    void add(const std::string& page, std::string_view written, BrokenReason reason, std::string_view target)
    {
        if (problems_.empty() || page != problems_.back().page)
            lastPage_ = texts_.keep(page);
        const std::string_view keptWritten = texts_.keep(written);
        problems_.push_back(Problem{lastPage_, keptWritten, reason, texts_.keep(target)});
    }
    std::size_t size() const { return problems_.size(); }
    bool empty() const { return problems_.empty(); }
    const Problem& operator[](std::size_t i) const { return problems_[i]; }

private:
    project::TextStore texts_;
    std::string_view lastPage_;
    std::deque<Problem> problems_;
};

std::string_view problemWords(BrokenReason reason)
{
    return reason == BrokenReason::MissingFile ? " がありません" : " のアンカーがありません";
}

// Each page scanned, as a line with its path, followed by its references, one a line and
// indented: display text, kind, path and the problem, separated by tabs. So the lines
// together are the tree of the site with each page expanded once, where it is nearest to
// the top page. Then the broken references.
class TreeWriter : public project::SiteWalkObserver {
public:
    TreeWriter(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void reference(const std::string& page, const ScanEntry& e) override
    {
        if (!headed_) {
            out_ << page << '\n';
            headed_ = true;
        }
        using namespace std::string_view_literals;
        if (e.state == LinkState::Missing)
            out_.tabbedLine("  "sv, e.displayText, e.record.Kind, e.record.Path, "リンク切れ"sv);
        else if (e.state == LinkState::AnchorMissing)
            out_.tabbedLine("  "sv, e.displayText, e.record.Kind, e.record.Path, "アンカーなし"sv);
        else
            out_.tabbedLine("  "sv, e.displayText, e.record.Kind, e.record.Path);
    }
    void scanned(const std::string& page) override
    {
        if (!headed_)
            out_ << page << '\n';
        headed_ = false;
    }
    void broken(const std::string& page, std::string_view written, BrokenReason reason,
                std::string_view target) override
    {
        problems_.add(page, written, reason, target);
    }
    void unreadable(const std::string& path) override { err_ << fileOpenError(path).what() << '\n'; }
    void finish()
    {
        if (!problems_.empty())
            out_ << '\n';
        for (std::size_t i = 0; i < problems_.size(); ++i) {
            const Problems::Problem& p = problems_[i];
            out_ << p.page << ": " << p.written << problemWords(p.reason) << '\n';
        }
    }

private:
    Output out_;
    std::ostream& err_;
    bool headed_ = false;
    Problems problems_;
};

// {"top": ..., "pages": [{"path": ..., "references": [{"text", "written", "kind", "path",
// "state"}]}], "broken": [{"page", "written", "reason", "target"}], "unreadable": [...]}
class JsonWriter : public project::SiteWalkObserver {
public:
    JsonWriter(std::ostream& out, std::ostream& err, const std::string& top) : out_(out), err_(err), top_(top) {}
    void reference(const std::string& page, const ScanEntry& e) override
    {
        open(page);
        out_ << (firstReference_ ? "\n  " : ",\n  ") << "{\"text\": ";
        firstReference_ = false;
        out_.json(e.displayText);
        out_ << ", \"written\": ";
        out_.json(e.written);
        out_ << ", \"kind\": ";
        out_.json(e.record.Kind);
        out_ << ", \"path\": ";
        out_.json(e.record.Path);
        out_ << ", \"state\": \"" << stateWord(e.state) << "\"}";
    }
    void scanned(const std::string& page) override
    {
        open(page);
        out_ << "]}";
        pageOpen_ = false;
    }
    void broken(const std::string& page, std::string_view written, BrokenReason reason,
                std::string_view target) override
    {
        problems_.add(page, written, reason, target);
    }
    void unreadable(const std::string& path) override
    {
        err_ << fileOpenError(path).what() << '\n';
        unreadable_.push_back(path);
    }
    void finish()
    {
        out_ << "],\n\"broken\": [";
        for (std::size_t i = 0; i < problems_.size(); ++i) {
            out_ << (i ? ",\n" : "\n") << "{\"page\": ";
            out_.json(problems_[i].page);
            out_ << ", \"written\": ";
            out_.json(problems_[i].written);
            out_ << ", \"reason\": \""
                 << (problems_[i].reason == BrokenReason::MissingFile ? "missing" : "anchor-missing")
                 << "\", \"target\": ";
            out_.json(problems_[i].target);
            out_ << '}';
        }
        out_ << "],\n\"unreadable\": [";
        for (std::size_t i = 0; i < unreadable_.size(); ++i) {
            out_ << (i ? ", " : "");
            out_.json(unreadable_[i]);
        }
        out_ << "]}\n";
    }

private:
    void open(const std::string& page)
    {
        if (pageOpen_)
            return;
        out_ << (firstPage_ ? "{\"top\": " : ",\n");
        if (firstPage_) {
            out_.json(top_);
            out_ << ",\n\"pages\": [\n";
        }
        firstPage_ = false;
        out_ << "{\"path\": ";
        out_.json(page);
        out_ << ", \"references\": [";
        pageOpen_ = true;
        firstReference_ = true;
    }

    Output out_;
    std::ostream& err_;
    std::string top_;
    bool firstPage_ = true;
    bool pageOpen_ = false;
    bool firstReference_ = true;
    Problems problems_;
    std::vector<std::string> unreadable_;
};

// The top page as an absolute path, so that every path printed is one.
std::string absolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(std::filesystem::path(std::u8string(path.begin(), path.end())), error);
    if (error)
        return path;
    const std::u8string utf8 = absolute.u8string();
    return std::string(utf8.begin(), utf8.end());
}

} // namespace

int runLinksVerb(VerbContext& c)
{
    bool json = false;
    bool anyForm = false;
    std::string top;
    for (const std::string& arg : c.args) {
        if (arg == "--json") {
            json = true;
        } else if (arg == "--any-form") {
            anyForm = true;
        } else if (arg.starts_with('-') || !top.empty() || arg.empty()) {
            c.err << kUsage << '\n';
            return 2;
        } else {
            top = arg;
        }
    }
    if (top.empty()) {
        c.err << kUsage << '\n';
        return 2;
    }
    top = absolutePath(top);

    const std::unique_ptr<project::SiteFiles> files = project::systemSiteFiles();
    project::ScanSession session(*files, anyForm ? project::ScanForm::AnyForm : project::ScanForm::Exact);
    project::SiteSummary summary;
    if (json) {
        JsonWriter writer(c.out, c.err, top);
        summary = project::walkSite(top, session, writer);
        if (summary.topPageRead)
            writer.finish();
    } else {
        TreeWriter writer(c.out, c.err);
        summary = project::walkSite(top, session, writer);
        if (summary.topPageRead)
            writer.finish();
    }
    if (!summary.topPageRead)
        return 2;
    return summary.broken > 0 || summary.unreadable > 0 ? 1 : 0;
}

} // namespace orvanel
