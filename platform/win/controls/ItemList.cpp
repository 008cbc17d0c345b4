#include "platform/win/controls/ItemList.h"

#include <cstring>

#include "platform/win/user/AtomTable.h"

namespace wavorel {

namespace {

int compareNoCase(const std::string& a, const std::string& b) {
  std::string la = lowerName(a), lb = lowerName(b);
  return la < lb ? -1 : la == lb ? 0 : 1;
}

bool startsNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && lowerName(text.substr(0, prefix.size())) == lowerName(prefix);
}

}  // namespace

int ItemList::sortedPlace(LPARAM value) const {
  int place = count();
  if (kind_.hasStrings) {
    std::string text = value ? reinterpret_cast<LPCSTR>(value) : "";
    for (int i = 0; i < count(); ++i)
      if (compareNoCase(text, items_[i].text) < 0) return i;
    return place;
  }
  for (int i = 0; i < count(); ++i) {
    COMPAREITEMSTRUCT cis{kind_.ctlType, static_cast<UINT>(GetDlgCtrlID(control_)), control_, static_cast<UINT>(-1),
                          static_cast<ULONG_PTR>(value), static_cast<UINT>(i), items_[i].data, 0};
    if (static_cast<int>(SendMessage(owner(), WM_COMPAREITEM, cis.CtlID, reinterpret_cast<LPARAM>(&cis))) < 0)
      return i;
  }
  return place;
}

void ItemList::measure(int index, LPARAM value, UINT defaultHeight) {
  items_[index].height = defaultHeight;
  if (!kind_.variable) return;
  MEASUREITEMSTRUCT mis{kind_.ctlType, static_cast<UINT>(GetDlgCtrlID(control_)), static_cast<UINT>(index), 0,
                        defaultHeight, static_cast<ULONG_PTR>(value)};
  SendMessage(owner(), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  items_[index].height = mis.itemHeight;
}

int ItemList::insert(WPARAM index, LPARAM value, UINT defaultHeight) {
  auto at = static_cast<LONG_PTR>(index);
  if (at < 0) at = count();
  if (at > count()) return -1;
  Item item;
  if (kind_.hasStrings)
    item.text = value ? reinterpret_cast<LPCSTR>(value) : "";
  else
    item.data = static_cast<ULONG_PTR>(value);
  items_.insert(items_.begin() + at, std::move(item));
  measure(static_cast<int>(at), value, defaultHeight);
  return static_cast<int>(at);
}

int ItemList::add(LPARAM value, UINT defaultHeight) {
  return insert(kind_.sorted ? static_cast<WPARAM>(sortedPlace(value)) : static_cast<WPARAM>(-1), value, defaultHeight);
}

void ItemList::deleted(int index) const {
  if (!kind_.ownerDraw) return;
  DELETEITEMSTRUCT dis{kind_.ctlType, static_cast<UINT>(GetDlgCtrlID(control_)), static_cast<UINT>(index), control_,
                       items_[index].data};
  SendMessage(owner(), WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

int ItemList::remove(WPARAM index) {
  if (!valid(index)) return -1;
  deleted(static_cast<int>(index));
  items_.erase(items_.begin() + static_cast<LONG_PTR>(index));
  return count();
}

void ItemList::clear() {
  for (int i = count() - 1; i >= 0; --i) deleted(i);
  items_.clear();
}

int ItemList::find(WPARAM start, LPARAM text, bool exact) const {
  int n = count();
  if (n == 0) return -1;
  int first = valid(start) ? static_cast<int>(start) + 1 : 0;
  std::string wanted = kind_.hasStrings && text ? reinterpret_cast<LPCSTR>(text) : "";
  for (int k = 0; k < n; ++k) {
    int i = (first + k) % n;
    const Item& item = items_[i];
    bool hit = !kind_.hasStrings ? item.data == static_cast<ULONG_PTR>(text)
               : exact           ? compareNoCase(item.text, wanted) == 0
                                 : startsNoCase(item.text, wanted);
    if (hit) return i;
  }
  return -1;
}

LRESULT ItemList::textLength(WPARAM index) const {
  if (!valid(index)) return -1;
  return kind_.hasStrings ? static_cast<LRESULT>(items_[index].text.size()) : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

LRESULT ItemList::copyText(WPARAM index, LPSTR out) const {
  if (!valid(index) || out == nullptr) return -1;
  if (!kind_.hasStrings) {
    std::memcpy(out, &items_[index].data, sizeof(ULONG_PTR));
    return sizeof(ULONG_PTR);
  }
  const std::string& t = items_[index].text;
  std::memcpy(out, t.c_str(), t.size() + 1);
  return static_cast<LRESULT>(t.size());
}

}  // namespace wavorel
