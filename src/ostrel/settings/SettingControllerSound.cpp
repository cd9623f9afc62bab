// The "Alert" panel: four alert sounds (connect, disconnect, incoming SMS, incoming call), each
// with its mute switch, its file, a Browse button and a Play button, over the base's sound store.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "platform/filechooser/FileChooser.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace ostrel {

const QStringList &SettingController::soundFileTypes()
{
    // The audio files the chooser offers, matched without regard to case.
    static const QStringList types = {QStringLiteral("aiff"), QStringLiteral("aif"), QStringLiteral("aifc"),
                                      QStringLiteral("wav"),  QStringLiteral("snd"), QStringLiteral("au"),
                                      QStringLiteral("mp3"),  QStringLiteral("ulw"), QStringLiteral("m4p"),
                                      QStringLiteral("m4a")};
    return types;
}

void SettingController::ConfigAlert()
{
    for (int type = 0; type < 4; ++type)
        configAlertRow(type);
}

void SettingController::configAlertRow(int type)
{
    const bool notMuted = !isSoundMute(type);
    const bool tickMeansOn = yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("AlertNotMuteSet")));
    if (QCheckBox *box = muteBox(type))
        box->setChecked(tickMeansOn ? notMuted : !notMuted);
    for (QWidget *control : {static_cast<QWidget *>(soundField(type)), static_cast<QWidget *>(soundBrowseButton(type)),
                             static_cast<QWidget *>(soundPlayButton(type))})
        if (control)
            control->setEnabled(notMuted);
}

void SettingController::setSoundMute(int type)
{
    QCheckBox *box = muteBox(type);
    if (!box)
        return;
    setSoundType(type, box->isChecked()); // the store inverts it when a tick means "on"
    configAlertRow(type);
}

namespace {

QString shownSoundName(const QString &path, bool fileNameOnly)
{
    return fileNameOnly ? QFileInfo(path).fileName() : path;
}

} // namespace

void SettingController::updateSoundFile(int type, const QString &defaultKey, QLineEdit *field)
{
    QString path = soundFileName(type);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        // A file that is gone is replaced by the type's default, which is written back.
        path = config().configFilePathOfKey(defaultKey);
        setSoundFileName(type, path);
    }
    if (field)
        field->setText(shownSoundName(path, yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("DisplayOnlySoundFileName")))));
}

void SettingController::browseSoundFile(int type)
{
    yov::FileChooserRequest request;
    if (type == 2 || type == 3)
        request.title = tr_(QStringLiteral("Select one or more audio files."));
    request.fileTypes = soundFileTypes();
    request.fileTypesName = tr_(QStringLiteral("Audio files"));
    request.parent = wndMain ? wndMain.data() : settingPage_.data();
    QPointer<SettingController> self(this);
    yov::FileChooser::shared().chooseFileToOpen(request, [self, type](const yov::FileChooserAnswer &answer) {
        if (!self || !answer.accepted || answer.path.isEmpty())
            return;
        // The dialog's filters are a help to the user; the type is checked here, whatever its case.
        if (!soundFileTypes().contains(QFileInfo(answer.path).suffix().toLower())) {
            qCInfo(lcSetting).noquote() << "not an audio file:" << answer.path;
            self->popupAlertSheet(QStringLiteral("Please choose an audio file."),
                                  self->wndMain ? self->wndMain.data() : self->settingPage_.data());
            return;
        }
        self->setSoundFileName(type, answer.path);
        if (QLineEdit *field = self->soundField(type))
            field->setText(shownSoundName(
                answer.path, yov::nsBool(self->setting(QStringLiteral("Setting"), QStringLiteral("DisplayOnlySoundFileName")))));
    });
}

void SettingController::playAlertSound(int type)
{
    if (type == 3)
        experienceIncomingcallSond(3); // rings, or stops the ringing
    else
        playShortSound(type);
}

} // namespace ostrel
