#pragma once
#include <cstdint>
#include <initializer_list>

#include <QMetaType>

namespace quillane {

// The observed fields of the model; a change signal names the ones that changed.
enum class ModelField : std::uint8_t {
    settings,
    history,
    projectName,
    showProjectSheet,
    alert,
    folderRequest,
    availableUpdate,
    showUpdate,
    demoState,
    drives,
    selectedSourceID,
    excludedDestinationIDs,
    sessionRoles,
    sourceSubfolders,
    scan,
    scanState,
    cameraLetter,
    rollName,
    rollOrigin,
    rollOverride,
    shootDayOverride,
    plans,
    targetPath,
    transferState,
    progress,
    lastResult,
    transferDriveIDs,
    transferVerifies,
    transferRollURLs,
    runningJob,
    queue,
    transferredSourceIDs,
    pausedJob,
    pausedDriveIDs,
    pausedBySleep,
};

// A set of model fields.
class ModelFields {
public:
    constexpr ModelFields() = default;
    constexpr ModelFields(std::initializer_list<ModelField> fields) {
        for (ModelField field : fields) insert(field);
    }
    constexpr void insert(ModelField field) { bits_ |= bit(field); }
    constexpr bool contains(ModelField field) const { return (bits_ & bit(field)) != 0; }
    // True when the two sets share a field: a view asks whether anything it reads changed.
    constexpr bool intersects(ModelFields other) const { return (bits_ & other.bits_) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr ModelFields operator|(ModelFields other) const { return fromBits(bits_ | other.bits_); }
    constexpr bool operator==(const ModelFields&) const = default;

private:
    static constexpr std::uint64_t bit(ModelField field) { return std::uint64_t{1} << static_cast<unsigned>(field); }
    static constexpr ModelFields fromBits(std::uint64_t bits) {
        ModelFields fields;
        fields.bits_ = bits;
        return fields;
    }
    std::uint64_t bits_ = 0;
};

}  // namespace quillane

Q_DECLARE_METATYPE(quillane::ModelFields)
