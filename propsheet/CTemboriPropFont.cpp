// The font page: font enumeration into the two lists, the sample and the description.
#include "propsheet/CTemboriPropFont.h"

#include <algorithm>
#include <utility>

#include "framework/DisplayDpi.h"
#include "framework/FontFace.h"
#include "framework/MemoryExhaustion.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr int kFaceMaxBytes = 32;
constexpr int kSizeMaxBytes = 2;
constexpr int kSmallestPoints = 1;
constexpr int kLargestPoints = 99;

// Both enumeration callbacks fill a list; when memory runs out the list is emptied, the user
// told, and the enumeration ended.
template <typename Entry, typename Make>
int Collect(LPARAM list, Make make) {
  auto& entries = *reinterpret_cast<std::vector<Entry>*>(list);
  return UnlessMemoryRunsOut(
      [&] {
        make(entries);
        return 1;
      },
      [&] {
        entries = {};  // its memory given back too
        ShowMessage(IDS_OUT_OF_MEMORY);
        return 0;
      });
}

// Names compared as a sorted list compares them: in the user's locale, letters in either case
// alike.
bool ListedBefore(const FaceEntry& a, const FaceEntry& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.FaceName.c_str(), -1,
                        b.FaceName.c_str(), -1) == CSTR_LESS_THAN;
}

// The faces are kept in the order of a sorted list that they are added to one by one as
// enumerated: each before the faces of the same name added earlier.
int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD, LPARAM faces) {
  return Collect<FaceEntry>(faces, [&](std::vector<FaceEntry>& entries) {
    std::string name = FaceNameOf(*font);
    if (!IsListedFace(name, font->lfCharSet)) return;
    FaceEntry entry{font->lfCharSet, metrics->tmPitchAndFamily, std::move(name)};
    const auto place = std::lower_bound(entries.begin(), entries.end(), entry, &ListedBefore);
    entries.insert(place, std::move(entry));
  });
}

int CALLBACK CollectSize(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD, LPARAM sizes) {
  return Collect<SizeEntry>(sizes, [&](std::vector<SizeEntry>& entries) {
    entries.push_back(SizeEntry{font->lfHeight, metrics->tmInternalLeading});
  });
}

// Selects `item` of `list`; without one, no item, with `text` kept in the edit field.
void SelectItem(const ComboBoxControl& list, std::optional<std::size_t> item,
                const std::string& text) {
  list.Select(item ? static_cast<int>(*item) : -1);
  if (!item) SetWindowTextA(list.Handle(), text.c_str());
}

}  // namespace

CTemboriPropFont::CTemboriPropFont(Settings& draft, bool isNT3)
    : PropertyPage(IDD_PROPFONT), draft_(draft), isNT3_(isNT3) {}

bool CTemboriPropFont::OnInitDialog() {
  // Attached first, so that the first loading already goes through them.
  faceList_.Attach(Item(IDC_FACE_LIST));
  sizeList_.Attach(Item(IDC_SIZE_LIST));
  sample_.Attach(Item(IDC_FONT_SAMPLE));
  description_.Attach(Item(IDC_FONT_KIND));
  PropertyPage::OnInitDialog();
  faceList_.LimitText(kFaceMaxBytes);
  sizeList_.LimitText(kSizeMaxBytes);
  FillFaceList();
  return true;
}

void CTemboriPropFont::ExchangeData(DataExchange& exchange) {
  exchange.Own(IDC_FACE_LIST);
  exchange.Own(IDC_SIZE_LIST);
  if (!exchange.Saving()) {
    // Only the selections: the sizes, the sample and the description stay as they are until
    // the user chooses a face.
    SelectFace();
    SelectSize(draft_.PointSize);
    return;
  }
  // The size field takes whole points from 1 to 99 only, and nothing is saved without one.
  int points = 0;
  exchange.Number(IDC_SIZE_LIST, points, kSmallestPoints, kLargestPoints, IDS_POINT_SIZE_INVALID);
  if (!exchange.Succeeded()) return;
  draft_.TypeFace = ItemText(IDC_FACE_LIST);
  draft_.PointSize = std::to_string(points);
}

void CTemboriPropFont::TakeFaceAttributes() {
  if (faceList_.Handle() == nullptr) return;
  if (const FaceEntry* const face = ChosenFace()) {
    draft_.CharSet = face->CharSet;
    draft_.PitchAndFamily = face->PitchAndFamily;
  }
}

void CTemboriPropFont::EnumerateFonts(const FaceEntry* face, FONTENUMPROCA callback,
                                      LPARAM list) const {
  const WindowDc dc = GetWindowDc(Handle());
  if (isNT3_) {
    EnumFontFamiliesA(dc.get(), face != nullptr ? face->FaceName.c_str() : nullptr, callback, list);
    return;
  }
  LOGFONTA wanted{};  // without a name, every face in every character set
  wanted.lfCharSet = DEFAULT_CHARSET;
  if (face != nullptr) {
    wanted.lfCharSet = face->CharSet;
    SetFaceName(wanted, face->FaceName);
  }
  EnumFontFamiliesExA(dc.get(), &wanted, callback, list, 0);
}

void CTemboriPropFont::FillFaceList() {
  EnumerateFonts(nullptr, &CollectFace, reinterpret_cast<LPARAM>(&faces_));
  if (faces_.empty()) return;
  // The faces are in the list's order: the stored face is found among them, without reading
  // the list back.
  std::vector<std::string> names(faces_.size());
  for (std::size_t index = 0; index < names.size(); ++index) names[index] = faces_[index].FaceName;
  // Faces that did not fit into the list are not its items.
  faces_.erase(faces_.begin() + faceList_.AddStrings(names), faces_.end());
  SelectFace();
  FillSizeList();
  UpdateSample();
  ShowFontType();
}

void CTemboriPropFont::FillSizeList() {
  // A face that is not listed is made by the font mapper at any size, as a scalable one is.
  const FaceEntry* const chosen = ChosenFace();
  const std::uint8_t pitchAndFamily = chosen != nullptr ? chosen->PitchAndFamily : kTrueTypeBit;
  // What the size field shows is kept over the new list.
  const std::string size = ItemText(IDC_SIZE_LIST);
  sizeList_.ResetContent();
  std::vector<SizeEntry> ownSizes;
  if ((pitchAndFamily & kTrueTypeBit) == 0) {
    EnumerateFonts(chosen, &CollectSize, reinterpret_cast<LPARAM>(&ownSizes));
  }
  sizes_ = FaceSizes(pitchAndFamily, ownSizes, PixelsPerInch());
  std::vector<std::string> texts(sizes_.size());
  for (std::size_t index = 0; index < texts.size(); ++index) {
    texts[index] = std::to_string(sizes_[index]);
  }
  sizes_.erase(sizes_.begin() + sizeList_.AddStrings(texts), sizes_.end());
  SelectSize(size);
}

void CTemboriPropFont::UpdateSample() {
  // The chosen face, else the stored face with its character set and pitch, as the calendar
  // uses it.
  const FaceEntry* const chosen = ChosenFace();
  LOGFONTA font{};
  font.lfCharSet = chosen != nullptr ? chosen->CharSet : draft_.CharSet;
  font.lfPitchAndFamily = chosen != nullptr ? chosen->PitchAndFamily : draft_.PitchAndFamily;
  font.lfQuality = PROOF_QUALITY;
  SetFaceName(font, chosen != nullptr ? chosen->FaceName : draft_.TypeFace);

  // The chosen size; with none chosen, the size in the field (kept from the settings when it
  // is not in the list), else the first size.
  int points = 0;
  if (const int item = sizeList_.Selection();
      item >= 0 && static_cast<std::size_t>(item) < sizes_.size()) {
    points = static_cast<int>(sizes_[static_cast<std::size_t>(item)]);
  } else if (const auto typed = LeadingPoints(ItemText(IDC_SIZE_LIST)); typed && *typed > 0) {
    points = *typed;
  } else if (!sizes_.empty()) {
    points = static_cast<int>(sizes_.front());
  } else {
    return;
  }
  font.lfHeight = -MulDiv(points, PixelsPerInch(), 72);
  FontHandle made(CreateFontIndirectA(&font));
  if (made == nullptr) return;
  sample_.SetFont(made.get());
  sampleFont_ = std::move(made);  // the previous sample font is no longer in use
}

void CTemboriPropFont::ShowFontType() {
  // The kind of a face that is not listed is not known.
  const FaceEntry* const face = ChosenFace();
  if (face == nullptr) {
    description_.SetText({});
    return;
  }
  const std::optional<std::uint32_t> kind = FontKindStringId(face->PitchAndFamily);
  description_.SetText(
      FontDescription(kind ? LoadResourceString(*kind) : std::string(), face->CharSet));
}

const FaceEntry* CTemboriPropFont::ChosenFace() const {
  const int item = faceList_.Selection();
  if (item < 0 || static_cast<std::size_t>(item) >= faces_.size()) return nullptr;
  return &faces_[static_cast<std::size_t>(item)];
}

void CTemboriPropFont::SelectFace() const {
  SelectItem(faceList_, FindFaceItem(faces_, draft_.TypeFace, draft_.CharSet), draft_.TypeFace);
}

void CTemboriPropFont::SelectSize(const std::string& size) const {
  // The size list is not sorted: its items are the sizes in their order.
  SelectItem(sizeList_, FindSizeItem(sizes_, size), size);
}

// The DPI of the monitor the page is on: the calendar's font is made for its window's in the
// same way, so a size chosen here looks the same there.
int CTemboriPropFont::PixelsPerInch() const {
  return WindowDpi(Handle());
}

void CTemboriPropFont::OnFaceChosen() {
  FillSizeList();
  UpdateSample();
  ShowFontType();
}

void CTemboriPropFont::OnSizeChosen() {
  UpdateSample();
}

// The sheet has moved to a monitor of another scale, which the system has scaled the page
// for: the sample is made again in the size chosen, at the new DPI.
void CTemboriPropFont::OnDpiChanged() {
  UpdateSample();
}

const RouteTable& CTemboriPropFont::Routes() const {
  using Page = CTemboriPropFont;
  static const Route routes[] = {
      RouteNotification<CBN_SELENDOK, IDC_FACE_LIST, &Page::OnFaceChosen>(),
      RouteNotification<CBN_SELENDOK, IDC_SIZE_LIST, &Page::OnSizeChosen>(),
      RouteMessage<kDpiChangedAfterParent, &Page::OnDpiChanged>(),
  };
  static const RouteTable table(routes, &PropertyPage::Routes());
  return table;
}

}  // namespace tembori
