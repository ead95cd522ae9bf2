#include "workspace/Workspace.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "workspace/ConfigFile.h"

#include <algorithm>

namespace trakmora {
namespace fs = std::filesystem;

namespace {

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

void openedAs(ProgramState& state, const std::string& shortName, const std::string& longName) {
    state.forgetRally(shortName, longName);
}

} // namespace

Status ensureDataRoot(const ProgramState& state) {
    std::error_code ec;
    fs::create_directories(state.paths.dataRoot(), ec);
    if (ec)
        return Status::failure("Cannot create the data folder " + state.paths.dataRoot().string() + ": " +
                               ec.message());
    return {};
}

Status readRegister(const ProgramState& state, std::vector<RegisterRecord>& records) {
    const fs::path file = state.paths.registerFile();
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        records.clear();
        return {};
    }
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    // Read into a list of its own: a damaged register leaves the caller's list as it was.
    std::vector<RegisterRecord> read;
    for (const CsvRecord& r : doc.records()) {
        RegisterRecord rec;
        if (auto st = doc.text(r, 0, rec.shortName); !st) return st;
        if (auto st = doc.text(r, 1, rec.longName); !st) return st;
        read.push_back(std::move(rec));
    }
    records = std::move(read);
    return {};
}

Status readRegisterSkippingBadLines(const ProgramState& state, std::vector<RegisterRecord>& records) {
    records.clear();
    const fs::path file = state.paths.registerFile();
    std::error_code ec;
    if (!fs::exists(file, ec)) return {};
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    Status problem;
    for (const CsvRecord& r : doc.records()) {
        RegisterRecord rec;
        Status st = doc.text(r, 0, rec.shortName);
        if (st) st = doc.text(r, 1, rec.longName);
        if (st)
            records.push_back(std::move(rec));
        else if (problem)
            problem = Status::failure(st.message() + "; the line is passed over");
    }
    return problem;
}

std::string shortNameFor(const std::vector<RegisterRecord>& records, const std::string& longName) {
    std::string found;
    for (const auto& r : records)
        if (r.longName == longName) found = r.shortName;
    return found;
}

Status createRally(ProgramState& state, const std::string& longNameIn, const std::string& shortNameIn) {
    const std::string longName = trimmed(longNameIn);
    const std::string shortName = trimmed(shortNameIn);
    if (longName.empty() || shortName.empty()) return Status::failure("No Name or Short Name entered");
    if (auto why = unsafeFolderNameReason(shortName))
        return Status::failure("\"" + shortName + "\" cannot be used as a short rally name: " + *why);
    if (longName.find('"') != std::string::npos)
        return Status::failure("The rally name must not contain a double quote");
    if (auto st = ensureDataRoot(state); !st) return st;
    const fs::path folder = state.paths.rallyFolder(shortName);
    std::error_code ec;
    if (fs::exists(folder, ec))
        return Status::failure("A rally with the short name \"" + shortName +
                               "\" already exists; choose another short name");
    // The Open list shows the long names only: two alike would hide the older rally for good.
    std::vector<RegisterRecord> registered;
    readRegisterSkippingBadLines(state, registered);
    if (const std::string other = shortNameFor(registered, longName); !other.empty())
        return Status::failure("A rally named \"" + longName + "\" is already registered (short name " +
                               other + "); choose another name");

    // The register lists every rally: it is rewritten whole and replaced atomically, so a crash
    // while a rally is added never leaves a half line that would hide the rallies after it.
    std::string text;
    const fs::path registerFile = state.paths.registerFile();
    const bool registerExisted = fs::exists(registerFile, ec);
    if (registerExisted)
        if (auto st = readWholeFile(registerFile, text); !st) return st;
    const std::string registerBefore = text;
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
    CsvWriter line;
    line.text(shortName).text(longName).endRecord();
    text += line.str();
    if (auto st = writeFileAtomically(registerFile, text); !st) return st;
    // A rally that cannot be made whole (a full disk) is taken out again, register line and
    // folder, so that creating it once more is not refused.
    const auto undo = [&](const Status& problem) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        state.forgetRally({}, {}); // no rally is open
        const Status restored =
            registerExisted ? writeFileAtomically(registerFile, registerBefore) : Status{};
        if (!registerExisted) fs::remove(registerFile, ignored);
        if (!restored) return Status::failure(problem.message() + "\n" + restored.message());
        return problem;
    };
    for (RallyFolder f : kRallyFolders) {
        fs::create_directories(state.paths.folder(shortName, f), ec);
        if (ec)
            return undo(Status::failure("Cannot create " + state.paths.folder(shortName, f).string() + ": " +
                                        ec.message()));
    }
    openedAs(state, shortName, longName);
    if (auto st = openRallyConfig(state, longName); !st) return undo(st);
    return {};
}

Status openRallyByShortName(ProgramState& state, const std::string& shortName) {
    // The register only gives the long name here: a damaged line of it does not stop the opening.
    std::vector<RegisterRecord> records;
    readRegisterSkippingBadLines(state, records);
    if (unsafeFolderNameReason(shortName) || !fs::is_directory(state.paths.rallyFolder(shortName)))
        return Status::failure("No rally with the short name \"" + shortName + "\" in " +
                               state.paths.dataRoot().string());
    std::string longName = shortName;
    for (const auto& r : records)
        if (r.shortName == shortName) longName = r.longName;
    openedAs(state, shortName, longName);
    return openRallyConfig(state, "Test Rally");
}

Status openRallyByLongName(ProgramState& state, const std::string& longName) {
    if (longName.empty()) return Status::failure("No file selected");
    std::vector<RegisterRecord> records;
    readRegisterSkippingBadLines(state, records); // the screen has shown any unreadable line
    const std::string shortName = shortNameFor(records, longName);
    if (shortName.empty() || unsafeFolderNameReason(shortName) ||
        !fs::is_directory(state.paths.rallyFolder(shortName)))
        return Status::failure("The folder of the rally \"" + longName + "\" is missing from " +
                               state.paths.dataRoot().string());
    openedAs(state, shortName, longName);
    return openRallyConfig(state, "Test Rally");
}

} // namespace trakmora
