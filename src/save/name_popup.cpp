// The name popup shown after every picture when the rule asks for a name each time.
#include "save/name_popup.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "platform/prompter.h"
#include "save/output_naming.h"
#include "save/picture_encoding.h"
#include "save/texts.h"

namespace veltrix {
namespace {

QString trimmedOfSpaces(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin] == QLatin1Char(' ')) ++begin;
  while (end > begin && text[end - 1] == QLatin1Char(' ')) --end;
  return text.mid(begin, end - begin);
}

// Users often type the extension although the title asks them not to.
QString withoutPictureExtensions(QString name) {
  for (const char* ext : {".bmp", ".jpg", ".gif", ".png"}) {
    name.remove(QLatin1String(ext), Qt::CaseInsensitive);
  }
  return name;
}

// True for an empty name too; "." and ".." name a folder, never a new file.
bool onlyDots(const QString& name) {
  return std::all_of(name.begin(), name.end(), [](QChar c) { return c == QLatin1Char('.'); });
}

}  // namespace

NamePopup::NamePopup(Prompter& prompter, NamePopupSetup setup, QWidget* parent)
    : QDialog(parent), prompter_(prompter), setup_(std::move(setup)) {
  setModal(true);
  setWindowTitle(QString::fromUtf8(setup_.batchMode ? save_texts::kNameCropTitle
                                                    : save_texts::kNamePhotoTitle));
  setFixedSize(334, 55);

  nameBox_ = new QLineEdit(this);
  nameBox_->setObjectName(QStringLiteral("弹窗编辑框"));
  nameBox_->setGeometry(8, 10, 230, 36);
  QFont font = nameBox_->font();
  font.setFamily(QStringLiteral("宋体"));
  nameBox_->setFont(font);

  confirmButton_ = new QPushButton(QString::fromUtf8(save_texts::kConfirm), this);
  confirmButton_->setObjectName(QStringLiteral("按钮1"));
  confirmButton_->setGeometry(248, 11, 76, 32);
  // As the default button it also takes Enter pressed in the name box, so one key press
  // confirms once.
  confirmButton_->setDefault(true);
  connect(confirmButton_, &QPushButton::clicked, this, &NamePopup::confirm);

  nameBox_->setFocus();
}

void NamePopup::confirm() {
  const QString typed = withoutPictureExtensions(trimmedOfSpaces(nameBox_->text()));
  // Nothing is left to name the file by when the box held only spaces, extensions or dots.
  if (onlyDots(typed)) {
    prompter_.notify(this, QString::fromUtf8(save_texts::kEmptyName), PromptIcon::Information);
    return;
  }

  const QString path = nextFreeSuffixedPath(setup_.folder, safeFileName(typed), setup_.ext);
  // Written whole or not at all; until then the picture stays in the temporary file and the
  // popup stays open for another name.
  QFile temporary(setup_.temporaryPath);
  const WriteOutcome written = temporary.open(QIODevice::ReadOnly)
                                   ? writePictureFile(path, temporary.readAll())
                                   : WriteOutcome::Failed;
  if (written != WriteOutcome::Written) {
    prompter_.notify(this, cannotWriteMessage(path, written), PromptIcon::Information);
    return;
  }
  temporary.close();
  QFile::remove(setup_.temporaryPath);
  savedPath_ = path;
  accept();
}

}  // namespace veltrix
