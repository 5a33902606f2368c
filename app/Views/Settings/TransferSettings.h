#pragma once
#include <QWidget>
#include <string>

#include "Views/Settings/SettingsForm.h"


namespace quillane {

class AppModel;
class PhonePushSection;
class Picker;
class Toggle;

// The transfer tab: safety, phone, sound, what happens when done, and the folded "Advanced" group.
// Each control writes its one settings field through the model (the combined report/checksum-file
// switch writes its two); the controls show the model's settings and follow every change of them.
class TransferSettings : public SettingsPage {
    Q_OBJECT
public:
    TransferSettings(AppModel& model, std::string pushServer, QWidget* parent = nullptr);

    bool advancedShown() const;
    PhonePushSection* phoneSection() const { return phone_; }

private:
    void refresh();

    AppModel& model_;
    Toggle* verify_;
    Toggle* reportAndManifest_;
    Toggle* sound_;
    Toggle* eject_;
    Toggle* playSound_;
    Toggle* notifications_;
    Picker* copyMode_;
    Picker* checksum_;
    Picker* manifest_;
    Toggle* askFolders_;
    QWidget* advanced_;
    PhonePushSection* phone_;
};

}  // namespace quillane
