#pragma once
#include <QString>
#include <string>

#include "Views/Settings/SettingsForm.h"

class QLabel;
class QPushButton;

namespace quillane {

class AppModel;
class StyledButton;
class Toggle;

// The phone section of the transfer tab: the push switch, the QR code and topic to subscribe a phone,
// a test message and a new private topic. The test is sent on a worker thread; its answer is written
// by whichever send finishes last, and dropped when the section was rebuilt meanwhile.
class PhonePushSection : public FormSection {
    Q_OBJECT
public:
    // `server`: the relay's base address (the default relay; tests give a local server).
    PhonePushSection(AppModel& model, std::string server, QWidget* parent = nullptr);

    // The line under the buttons, empty while no test was sent.
    QString testResult() const;

    // Reads the two settings again (the model changed them).
    void refresh();

signals:
    // A test send answered (tests wait for it).
    void testAnswered(bool delivered);

private:
    void switched(bool on);
    void sendTest();
    void newCode();

    AppModel& model_;
    std::string server_;
    Toggle* toggle_;
    QWidget* details_;
    QLabel* qr_;
    QLabel* topic_;
    QLabel* result_;
    QString shownAddress_;
};

}  // namespace quillane
