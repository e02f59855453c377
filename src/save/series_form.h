// What the batch and quick-shoot settings windows share: the save-format list, the naming-rule
// list whose custom rule takes its prefix in the list's own edit field, and the checks of a
// series' folder and prefix.
#pragma once

#include <QComboBox>
#include <QString>
#include <span>

#include "settings/naming_rules.h"
#include "widgets/choice_combo.h"

namespace veltrix {

// " *.JPG", " *.BMP", " *.GIF", " *.PNG", each standing for its stored format ".JPG" ….
class SaveFormatList : public QComboBox {
  Q_OBJECT
 public:
  explicit SaveFormatList(QWidget* parent);

  // Selects the stored format; any other value selects ".JPG" and is corrected to it.
  void select(QString& format);
  // The stored format of an entry; ".JPG" for none.
  static QString formatAt(int index);
};

// The naming rules of one mode, labelled as the mode shows them.
class NamingRuleList : public ChoiceCombo {
  Q_OBJECT
 public:
  NamingRuleList(std::span<const NamingRule> rules, std::span<const char* const> labels,
                 QWidget* parent);

  // Selects a rule, which is kept when it is none of the list's.
  void select(NamingRule rule);
  // The custom rule's prefix: as typed once the rule was chosen, or the kept one while the list
  // still shows the rule it opened with (its text is then the rule's label, never a prefix).
  // Empty for the other rules.
  QString customText(const QString& kept) const;

  void showPopup() override;

 signals:
  // The user chose a rule; the list has taken the style the rule asks for.
  void ruleChosen(NamingRule rule);

 private:
  void style(int index);
  bool isCustom(int index) const;

  std::span<const NamingRule> rules_;
};

// A folder as a series keeps it: without one trailing separator.
QString keptFolder(QString folder);

// Whether the custom rule has no prefix: nothing but spaces typed.
bool customPrefixMissing(NamingRule rule, QString typed);

}  // namespace veltrix
