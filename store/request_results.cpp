#include "request_results.h"

#include "platform/engine/catalog.h"
#include "platform/engine/dynarray.h"
#include "platform/engine/error.h"
#include "platform/engine/query.h"
#include "platform/engine/text.h"
#include "store_error.h"

namespace store {
namespace {

bool IsIdField(const std::string& name) {
    return name == "0" || mv::text::EqualsNoCase(name, "@ID");
}

std::vector<std::string> SplitFields(const std::string& fields) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < fields.size()) {
        size_t end = fields.find(' ', start);
        if (end == std::string::npos)
            end = fields.size();
        if (end > start)
            out.push_back(fields.substr(start, end - start));
        start = end + 1;
    }
    if (out.empty())
        out.push_back("0");
    return out;
}

// Appends text with every from mark replaced by to.
void AppendMapped(std::string& out, std::string_view text, char from, char to) {
    size_t start = out.size();
    out.append(text);
    for (size_t i = out.find(from, start); i != std::string::npos; i = out.find(from, i + 1))
        out[i] = to;
}

// Builds the result record of a selection as records arrive (see database.h for the two
// layouts): the first record is kept aside until a second one shows which layout applies.
class ResultBuilder {
  public:
    explicit ResultBuilder(const std::vector<std::string>& fields) {
        for (const std::string& f : fields)
            withId_ = withId_ || IsIdField(f);
    }

    void Add(const std::vector<std::string_view>& columns) {
        ++rows_;
        if (!withId_ && rows_ == 1) {
            first_.assign(columns.begin(), columns.end());
            return;
        }
        if (!withId_ && rows_ == 2) {
            std::vector<std::string_view> kept(first_.begin(), first_.end());
            AppendRow(kept);
        }
        AppendRow(columns);
    }

    std::string Finish() {
        if (withId_ || rows_ != 1)
            return std::move(text_);
        std::string text;
        for (const std::string& column : first_) {
            if (column.empty())
                continue;
            if (!text.empty())
                text.push_back(mv::kAttributeMark);
            AppendMapped(text, column, mv::kValueMark, mv::kAttributeMark);
        }
        return text;
    }

  private:
    void AppendRow(const std::vector<std::string_view>& columns) {
        if (appended_++ > 0)
            text_.push_back(mv::kAttributeMark);
        for (size_t j = 0; j < columns.size(); ++j) {
            if (j > 0)
                text_.push_back(mv::kValueMark);
            AppendMapped(text_, columns[j], mv::kValueMark, mv::kSubvalueMark);
        }
    }

    bool withId_ = false;
    std::int64_t rows_ = 0, appended_ = 0;
    std::vector<std::string> first_;
    std::string text_;
};

}  // namespace

Record OutputRecord(const CommandRunner& run, const std::string& command, std::string& status) {
    mv::CommandOutput out = run(command, {}, nullptr);
    status = std::to_string(out.status);
    Record record;
    record.SetValue(1, status);
    record.SetValue(2, command);
    for (size_t i = 0; i < out.lines.size(); ++i)
        record.SetValue(3, static_cast<int>(i + 1), out.lines[i]);
    return record;
}

namespace {

// The file a selection command names, as its second word (or "DICT" and the third).
std::string CommandFile(const std::string& command) {
    try {
        auto tokens = mv::Tokenize(command);
        if (tokens.size() < 3 || tokens[1].kind != mv::Token::Kind::Word)
            return {};
        if (mv::text::EqualsNoCase(tokens[1].text, "DICT") &&
            tokens[2].kind == mv::Token::Kind::Word)
            return "DICT " + tokens[2].text;
        return tokens[1].text;
    } catch (const mv::Error&) {
        return {};  // the command itself reports it
    }
}

}  // namespace

Record SelectionRecord(const CommandRunner& run, const std::string& request, std::string& status) {
    std::string command = mv::extract(request, 1);
    std::string fileName = mv::extract(request, 2);
    std::vector<std::string> fields = SplitFields(mv::extract(request, 3));
    if (mv::VerbNamed(mv::CommandVerb(command)) != mv::Verb::Select) {
        throw StoreError(ErrorCode::CommandError,
                         "Une requête de sélection commence par SSELECT ou SELECT : " +
                             mv::text::Printable(command));
    }
    if (!fileName.empty()) {
        std::string named = CommandFile(command);
        if (!named.empty() && mv::NormalizeFileName(named) != mv::NormalizeFileName(fileName)) {
            throw StoreError(ErrorCode::CommandError,
                             "La requête porte sur le fichier " + mv::text::Printable(fileName) +
                                 " mais la commande sur " + mv::text::Printable(named) + ".");
        }
    }
    ResultBuilder result(fields);
    mv::RowSink sink = [&](std::string_view, const std::vector<std::string_view>& columns) {
        result.Add(columns);
    };
    mv::CommandOutput out = run(command, fields, &sink);
    status = std::to_string(out.status);
    return Record(result.Finish());
}

}  // namespace store
