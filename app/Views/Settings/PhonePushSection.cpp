#include "Views/Settings/PhonePushSection.h"

#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "Model/AppModel.h"
#include "Notifications/PhonePush.h"
#include "Product/Product.h"
#include "Support/Lang.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/LocalText.h"
#include "Views/Kit/QRCode.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "Views/Kit/Toggle.h"

namespace quillane {

namespace {
QString relayHost(const std::string& server) {
    const QString host = QUrl(QString::fromStdString(server)).host();
    return host.isEmpty() ? QString::fromStdString(server) : host;
}

// The QR code, sharp, 118 × 118 on a white rounded square padded 6.
class QRView : public QLabel {
public:
    QRView() { setFixedSize(130, 130); }
    void setCode(const QImage& code) {
        code_ = code;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(rect()), 8, 8);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRectF(6, 6, 118, 118), code_);
    }

private:
    QImage code_;
};
}  // namespace

PhonePushSection::PhonePushSection(AppModel& model, std::string server, QWidget* parent)
    : FormSection(lq("Telefoon", "Phone"), {}, parent), model_(model), server_(std::move(server)) {
    setObjectName(QStringLiteral("phoneSection"));
    toggle_ = addToggle(lq("Pushmeldingen op je telefoon", "Push notifications on your phone"));
    toggle_->setObjectName(QStringLiteral("phonePush"));
    connect(toggle_, &QAbstractButton::clicked, this, &PhonePushSection::switched);

    details_ = new QWidget;
    auto* row = new QHBoxLayout(details_);
    row->setContentsMargins(0, 4 + 8, 0, 4 + 8);
    row->setSpacing(16);
    auto* qr = new QRView;
    qr->setObjectName(QStringLiteral("qrCode"));
    qr_ = qr;
    row->addWidget(qr_, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    const QFont text = Fonts::text(12.5);
    column->addWidget(wrappingLabel(lq("1. Installeer de gratis app ntfy (App Store / Google Play).",
                                       "1. Install the free ntfy app (App Store / Google Play)."),
                                    text, Theme::text()));
    column->addWidget(wrappingLabel(lq("2. Scan deze code, of abonneer in de app op:",
                                       "2. Scan this code, or subscribe in the app to:"),
                                    text, Theme::text()));
    topic_ = wrappingLabel({}, Fonts::mono(12), Theme::text());
    topic_->setObjectName(QStringLiteral("topic"));
    topic_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(topic_);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 4, 0, 0);
    buttons->setSpacing(10);
    auto* send = new StyledButton(ButtonStyles::secondary(), lq("Testmelding sturen", "Send test notification"));
    send->setObjectName(QStringLiteral("sendTest"));
    connect(send, &QAbstractButton::clicked, this, &PhonePushSection::sendTest);
    auto* fresh = new StyledButton(ButtonStyles::secondary(), lq("Nieuwe code", "New code"));
    fresh->setObjectName(QStringLiteral("newCode"));
    fresh->setToolTip(lq("Maakt een nieuw privékanaal; telefoons op het oude krijgen niets meer",
                         "Makes a new private channel; phones on the old one stop receiving"));
    connect(fresh, &QAbstractButton::clicked, this, &PhonePushSection::newCode);
    result_ = new QLabel;
    result_->setObjectName(QStringLiteral("testResult"));
    result_->setTextFormat(Qt::PlainText);
    result_->setFont(text);
    QPalette palette = result_->palette();
    palette.setColor(QPalette::WindowText, Theme::secondary());
    result_->setPalette(palette);
    result_->hide();
    buttons->addWidget(send);
    buttons->addWidget(fresh);
    buttons->addWidget(result_);
    buttons->addStretch(1);
    column->addLayout(buttons);
    column->addStretch(1);
    row->addLayout(column, 1);
    addRow(details_);

    const QString host = relayHost(server_);
    footer()->setText(lq("Je krijgt een push als een transfer klaar is, iets misging of op pauze staat, ook als je bij de "
                         "kar weg bent. Berichten gaan via ",
                         "You get a push when a transfer is done, something went wrong or it paused, even when you've "
                         "walked away from the cart. Messages go via ") +
                      host +
                      lq(" naar een privékanaal met een willekeurige naam.",
                         " to a private channel with a random name."));
    footer()->show();
    refresh();
}

QString PhonePushSection::testResult() const { return result_->text(); }

void PhonePushSection::refresh() {
    const AppSettings& settings = model_.settings();
    toggle_->setChecked(settings.phonePush);
    details_->setVisible(settings.phonePush);
    const QString topic = QString::fromStdString(settings.phonePushTopic);
    topic_->setText(topic);
    const QString address = QString::fromStdString(PhonePush::subscribeURL(server_, settings.phonePushTopic));
    if (address != shownAddress_) {
        shownAddress_ = address;
        const QImage code = QRCode::image(address);
        static_cast<QRView*>(qr_)->setCode(code);
        qr_->setVisible(!code.isNull());
        qr_->setProperty("address", address);
    }
}

void PhonePushSection::switched(bool on) {
    if (on && model_.settings().phonePushTopic.empty())
        model_.changeSettings([](AppSettings& s) { s.phonePushTopic = PhonePush::newTopic(); });
    model_.changeSettings([on](AppSettings& s) { s.phonePush = on; });
    refresh();
}

void PhonePushSection::newCode() {
    model_.changeSettings([](AppSettings& s) { s.phonePushTopic = PhonePush::newTopic(); });
    refresh();
}

void PhonePushSection::sendTest() {
    result_->setText(lq("Versturen…", "Sending…"));
    result_->show();
    const std::string topic = model_.settings().phonePushTopic;
    const std::string body = L("Testmelding: je telefoon is gekoppeld.", "Test: your phone is connected.");
    const std::string server = server_;
    // The watcher belongs to this section: when the tab is rebuilt meanwhile, the answer goes nowhere.
    auto* watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher] {
        const bool delivered = watcher->result();
        watcher->deleteLater();
        result_->setText(delivered ? lq("Verstuurd ✓", "Sent ✓") : lq("Geen verbinding", "No connection"));
        emit testAnswered(delivered);
    });
    watcher->setFuture(QtConcurrent::run([server, topic, body] {
        return PhonePush::send(server, topic, Product::name, body, {"white_check_mark"}, false);
    }));
}

}  // namespace quillane
