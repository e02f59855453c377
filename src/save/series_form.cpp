#include "save/series_form.h"

#include <algorithm>

#include "platform/utf8.h"
#include "save/texts.h"

namespace veltrix {
namespace {

const char* const kFormatValues[] = {".JPG", ".BMP", ".GIF", ".PNG"};

}  // namespace

SaveFormatList::SaveFormatList(QWidget* parent) : QComboBox(parent) {
  for (const char* item : save_texts::kFormatItems) addItem(u8(item));
}

void SaveFormatList::select(QString& format) {
  const auto found = std::find_if(std::begin(kFormatValues), std::end(kFormatValues),
                                  [&format](const char* f) { return format == u8(f); });
  if (found == std::end(kFormatValues)) format = u8(kFormatValues[0]);
  setCurrentIndex(
      found == std::end(kFormatValues) ? 0 : static_cast<int>(found - std::begin(kFormatValues)));
}

QString SaveFormatList::formatAt(int index) {
  return u8(index >= 0 && index < static_cast<int>(std::size(kFormatValues)) ? kFormatValues[index]
                                                                             : kFormatValues[0]);
}

NamingRuleList::NamingRuleList(std::span<const NamingRule> rules,
                               std::span<const char* const> labels, QWidget* parent)
    : ChoiceCombo(parent), rules_(rules) {
  for (const char* label : labels) addItem(u8(label));
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (index < 0 || index >= static_cast<int>(rules_.size())) return;
    style(index);
    emit ruleChosen(rules_[static_cast<size_t>(index)]);
  });
  // The prefix is the user's own text: it is never completed to a rule's label, and Enter keeps
  // it in the field instead of adding it to the list.
  setInsertPolicy(QComboBox::NoInsert);
}

// The list opens in the style of the rule it holds, whatever was typed meanwhile. Only the list
// dropping down restyles: keys pressed in the field are the prefix being typed.
void NamingRuleList::showPopup() {
  style(currentIndex());
  ChoiceCombo::showPopup();
}

void NamingRuleList::select(NamingRule rule) {
  const auto found = std::find(rules_.begin(), rules_.end(), rule);
  if (found != rules_.end()) setCurrentIndex(static_cast<int>(found - rules_.begin()));
  setEditable(false);
}

QString NamingRuleList::customText(const QString& kept) const {
  if (!isCustom(currentIndex())) return QString();
  return isEditable() ? currentText() : kept;
}

bool NamingRuleList::isCustom(int index) const {
  return index >= 0 && index < static_cast<int>(rules_.size()) &&
         rules_[static_cast<size_t>(index)] == NamingRule::CustomPrefix;
}

// The custom rule takes its prefix in the list's own edit field; the others show their text.
void NamingRuleList::style(int index) {
  const bool custom = isCustom(index);
  setEditable(custom);
  if (!custom) return;
  setCompleter(nullptr);
  setEditText(QString());
}

QString keptFolder(QString folder) {
  if (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\'))) folder.chop(1);
  return folder;
}

bool customPrefixMissing(NamingRule rule, QString typed) {
  return rule == NamingRule::CustomPrefix && typed.remove(u' ').isEmpty();
}

}  // namespace veltrix
