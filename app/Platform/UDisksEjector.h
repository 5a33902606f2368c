#pragma once
#include <QDBusConnection>
#include <QObject>

#include "Model/Seams/Ejector.h"

namespace quillane {

// Ejecting through UDisks2 on the system bus: every mounted file system of the drive is unmounted,
// then the drive is ejected, or powered off when it can't eject; a card reader slot is never powered
// off while another slot of the same reader is still mounted. Every call is asynchronous; the answer
// comes back on the thread that asked. Without a system bus or UDisks2 the answer says ejecting is
// not available.
class UDisksEjector final : public QObject, public Ejector {
    Q_OBJECT
public:
    explicit UDisksEjector(QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);
    void eject(const std::filesystem::path& mountPoint, Done done) override;

private:
    QDBusConnection bus_;
};

}  // namespace quillane
