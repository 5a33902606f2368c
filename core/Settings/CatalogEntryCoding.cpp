#include "Settings/CatalogEntryCoding.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "Support/JSONCoding.h"

namespace quillane::CatalogEntryCoding {
namespace {

using Json = nlohmann::json;

// Follows the parser's events through the one shape a catalog file has. Any value in the
// wrong place stops the parse; values under unknown keys are skipped whole.
class Reader : public nlohmann::json_sax<Json> {
public:
    CatalogEntry entry;

    bool complete() const { return hasRecordID_ && hasFiles_ && where_ == Where::done; }

    bool null() override {
        if (skipping()) return true;
        if (where_ == Where::fileValue && fileKey_ == FileKey::hash) {
            file_.hash.reset();
            return afterFileValue();
        }
        return false;  // a required value that is null
    }
    bool boolean(bool) override { return skipping(); }
    bool number_integer(number_integer_t value) override { return whole(static_cast<long double>(value)); }
    bool number_unsigned(number_unsigned_t value) override { return whole(static_cast<long double>(value)); }
    bool number_float(number_float_t value, const string_t&) override {
        if (skipping()) return true;
        if (!std::isfinite(value) || value != std::trunc(value)) return false;
        return whole(static_cast<long double>(value));
    }
    bool binary(binary_t&) override { return skipping(); }

    bool string(string_t& value) override {
        if (skipping()) return true;
        if (where_ == Where::topValue && topKey_ == TopKey::recordID) {
            const auto id = UUID::parse(value);
            if (!id) return false;
            entry.recordID = *id;
            hasRecordID_ = true;
            where_ = Where::top;
            return true;
        }
        if (where_ == Where::fileValue && fileKey_ == FileKey::path) {
            file_.path = std::move(value);
            hasPath_ = true;
            return afterFileValue();
        }
        if (where_ == Where::fileValue && fileKey_ == FileKey::hash) {
            file_.hash = std::move(value);
            return afterFileValue();
        }
        return false;
    }

    bool key(string_t& name) override {
        if (skip_ > 0) return true;
        if (where_ == Where::top) {
            topKey_ = name == "recordID" ? TopKey::recordID : name == "files" ? TopKey::files : TopKey::other;
            where_ = Where::topValue;
            if (topKey_ == TopKey::other) pendingSkip_ = true;
            return true;
        }
        if (where_ == Where::file) {
            fileKey_ = name == "path" ? FileKey::path : name == "size" ? FileKey::size
                     : name == "hash" ? FileKey::hash : FileKey::other;
            where_ = Where::fileValue;
            if (fileKey_ == FileKey::other) pendingSkip_ = true;
            return true;
        }
        return false;
    }

    bool start_object(std::size_t) override {
        if (startSkipped()) return true;
        if (where_ == Where::start) return where_ = Where::top, true;
        if (where_ == Where::files) {
            file_ = CatalogFile{};
            hasPath_ = hasSize_ = false;
            return where_ = Where::file, true;
        }
        return false;
    }
    bool end_object() override {
        if (skip_ > 0) return --skip_, afterSkipped();
        if (where_ == Where::file) {
            if (!hasPath_ || !hasSize_) return false;
            entry.files.push_back(std::move(file_));
            return where_ = Where::files, true;
        }
        if (where_ == Where::top) return where_ = Where::done, true;
        return false;
    }
    bool start_array(std::size_t) override {
        if (startSkipped()) return true;
        if (where_ == Where::topValue && topKey_ == TopKey::files) {
            entry.files.clear();  // a repeated key: the last one counts
            hasFiles_ = true;
            return where_ = Where::files, true;
        }
        return false;
    }
    bool end_array() override {
        if (skip_ > 0) return --skip_, afterSkipped();
        if (where_ == Where::files) return where_ = Where::top, true;
        return false;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    enum class Where { start, top, topValue, files, file, fileValue, done };
    enum class TopKey { recordID, files, other };
    enum class FileKey { path, size, hash, other };

    // A scalar under a skipped key (or inside a skipped container) is consumed here.
    bool skipping() {
        if (skip_ > 0) return true;
        if (!pendingSkip_) return false;
        finishSkip();
        return true;
    }
    // Containers under a skipped key raise skip_ when they open and end the skip when they close.
    bool startSkipped() {
        if (skip_ == 0 && !pendingSkip_) return false;
        ++skip_;
        return true;
    }
    bool afterSkipped() {
        if (skip_ == 0 && pendingSkip_) finishSkip();
        return true;
    }
    void finishSkip() {
        pendingSkip_ = false;
        where_ = where_ == Where::topValue ? Where::top : Where::file;
    }
    bool afterFileValue() { return where_ = Where::file, true; }

    bool whole(long double value) {
        if (skipping()) return true;
        if (where_ != Where::fileValue || fileKey_ != FileKey::size) return false;
        if (value < -9223372036854775808.0L || value >= 9223372036854775808.0L) return false;
        file_.size = static_cast<std::int64_t>(value);
        hasSize_ = true;
        return afterFileValue();
    }

    Where where_ = Where::start;
    TopKey topKey_ = TopKey::other;
    FileKey fileKey_ = FileKey::other;
    int skip_ = 0;
    bool pendingSkip_ = false;
    CatalogFile file_;
    bool hasPath_ = false, hasSize_ = false, hasRecordID_ = false, hasFiles_ = false;
};

}  // namespace

std::string encode(const CatalogEntry& entry) {
    Json files = Json::array();
    for (const auto& file : entry.files) {
        Json json = Json::object();
        json["path"] = file.path;
        json["size"] = file.size;
        if (file.hash) json["hash"] = *file.hash;
        files.push_back(std::move(json));
    }
    Json json = Json::object();
    json["recordID"] = entry.recordID.text();
    json["files"] = std::move(files);
    return JSONCoding::compact(json);
}

std::optional<CatalogEntry> decode(std::string_view text) {
    try {
        Reader reader;
        if (!Json::sax_parse(text.begin(), text.end(), &reader, nlohmann::detail::input_format_t::json, true) ||
            !reader.complete())
            return std::nullopt;
        return std::move(reader.entry);
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace quillane::CatalogEntryCoding
