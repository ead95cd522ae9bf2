#pragma once
// The one comma-separated reader and writer of Trakmora. Every file the program reads or writes
// goes through here.
//
// Reading: values come in sequence; a comma or a line end ends a value; a value that starts with
// a double quote runs to its closing quote, a doubled quote inside it standing for one quote (as
// a spreadsheet program saves "Tom ""Speedy"" Tate"); blank lines are skipped; CR LF, LF and a lone CR all
// end a line; a UTF-8 byte order mark at the start is ignored. An empty number reads as 0.
//
// Writing: text in double quotes, numbers in plain decimal notation (shortest form that reads
// back to the same value, never an exponent, whole values without a decimal part), CR LF at the
// end of every record.
#include "common/Status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trakmora {

struct CsvValue {
    std::string text;
    bool quoted = false;
    int line = 0; // 1-based line of the file the value starts on
};

struct CsvRecord {
    int line = 0;
    std::vector<CsvValue> values;
    std::size_t size() const { return values.size(); }
};

// One value of a record read in place (CsvRecordReader::next(CsvFields&)): a view of the text
// being read, or of the reader's own copy of a quoted value that held doubled quotes. Valid until
// the reader reads its next record.
struct CsvField {
    std::string_view text;
    bool quoted = false;
    int line = 0;
};

struct CsvFields {
    int line = 0;
    std::vector<CsvField> values;
    std::size_t size() const { return values.size(); }
};

class CsvDocument {
public:
    // Parses text already in memory; `fileName` is used in messages.
    static CsvDocument parse(std::string_view content, std::string fileName);
    // Reads and parses a file. Fails with a message naming the file when it cannot be read.
    static Status load(const std::filesystem::path& file, CsvDocument& out);
    // A document without records whose field access and messages serve the records of a
    // CsvRecordReader over the named file.
    static CsvDocument forFile(std::string fileName);

    const std::vector<CsvRecord>& records() const { return records_; }
    const std::string& fileName() const { return fileName_; }
    bool empty() const { return records_.empty(); }

    // "<file> line <n>: <message>", the shape of every reader error.
    std::string problem(int line, const std::string& message) const;

    // Field access with checking; `index` is 0-based. Messages name the file, line and field.
    Status text(const CsvRecord& record, std::size_t index, std::string& out) const;
    Status number(const CsvRecord& record, std::size_t index, double& out) const;
    // A whole number within [min, max].
    Status integer(const CsvRecord& record, std::size_t index, long min, long max, long& out) const;
    // Fails unless the record has at least `count` values.
    Status expectValues(const CsvRecord& record, std::size_t count) const;
    // The same for a record read in place.
    Status number(const CsvFields& record, std::size_t index, double& out) const;
    Status expectValues(const CsvFields& record, std::size_t count) const;

private:
    Status valuesFound(int line, std::size_t found, std::size_t count) const;
    Status numberIn(std::string_view text, int line, std::size_t index, double& out) const;
    std::string fileName_;
    std::vector<CsvRecord> records_;
};

// Reads the records of text in memory one at a time into a record whose storage is reused, for
// large files that are read once (logger downloads, competitor logs). CsvDocument::parse is built
// on it, so both read exactly alike.
class CsvRecordReader {
public:
    explicit CsvRecordReader(std::string_view content);
    // The next record that has content (blank lines are skipped); false at the end of the text.
    bool next(CsvRecord& record);
    // The same without copying: the values are views, valid until the next call.
    bool next(CsvFields& record);

private:
    struct Copied {
        std::size_t value, offset, size;
    };
    std::string_view s_;
    std::size_t i_ = 0;
    int line_ = 1;
    std::string unquoted_;       // quoted values with doubled quotes, read as one quote each
    std::vector<Copied> copied_; // where in unquoted_ those values of the record are
    CsvFields fields_;           // for next(CsvRecord&)
};

// Reads values one after another regardless of where the lines break, the way configuration
// records are read.
class CsvCursor {
public:
    explicit CsvCursor(const CsvDocument& document);
    bool atEnd() const;
    int line() const; // line of the next value, or of the last one at the end
    Status text(std::string& out);
    Status number(double& out);
    Status integer(long min, long max, long& out);

private:
    const CsvValue* next(Status& status);
    const CsvDocument& document_;
    std::size_t record_ = 0;
    std::size_t value_ = 0;
};

// The line feeds in the text, for room reserved before its records are read.
std::size_t countLineFeeds(std::string_view text);

// Converts a value's text to a number: surrounding blanks ignored, empty is 0, anything else
// that is not a finite decimal number fails.
bool parseNumber(std::string_view text, double& out);

class CsvWriter {
public:
    CsvWriter& text(std::string_view value);
    // Text in double quotes with every character kept, for what the organiser types freely (a
    // jury decision's reason): a double quote inside is doubled, as a spreadsheet program saves
    // it, and the reader gives it back as one. `text` turns it into an apostrophe instead, as the
    // files of earlier versions hold it.
    CsvWriter& textAsTyped(std::string_view value);
    CsvWriter& number(double value);
    // The same number, copied from the text it was read from when that text is already the form
    // `number` writes (isNumberAsWritten); `asRead` must be the text `value` was read from.
    CsvWriter& number(double value, std::string_view asRead);
    CsvWriter& endRecord();
    // Room for `bytes` of output, for a large file written record by record.
    void reserve(std::size_t bytes) { out_.reserve(bytes); }
    const std::string& str() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    void separate();
    std::string out_;
    bool atRecordStart_ = true;
};

} // namespace trakmora
