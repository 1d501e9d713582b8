#include "key_translation.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace korvane {

namespace {

struct NamedKey {
  int code;
  const char* name;
};

// Windows virtual-key codes that have a name of their own; letters, digits,
// keypad digits and function keys are formed in VirtualKeyName.
constexpr NamedKey kNamedKeys[] = {
    {0x01, "LBUTTON"},    {0x02, "RBUTTON"},   {0x03, "CANCEL"},     {0x04, "MBUTTON"},   {0x05, "XBUTTON1"},
    {0x06, "XBUTTON2"},   {0x08, "BACK"},      {0x09, "TAB"},        {0x0C, "CLEAR"},     {0x0D, "RETURN"},
    {0x10, "SHIFT"},      {0x11, "CONTROL"},   {0x12, "MENU"},       {0x13, "PAUSE"},     {0x14, "CAPITAL"},
    {0x15, "KANA"},       {0x17, "JUNJA"},     {0x18, "FINAL"},      {0x19, "KANJI"},     {0x1B, "ESCAPE"},
    {0x1C, "CONVERT"},    {0x1D, "NONCONVERT"}, {0x1E, "ACCEPT"},    {0x1F, "MODECHANGE"}, {0x20, "SPACE"},
    {0x21, "PRIOR"},      {0x22, "NEXT"},      {0x23, "END"},        {0x24, "HOME"},      {0x25, "LEFT"},
    {0x26, "UP"},         {0x27, "RIGHT"},     {0x28, "DOWN"},       {0x29, "SELECT"},    {0x2A, "PRINT"},
    {0x2B, "EXECUTE"},    {0x2C, "SNAPSHOT"},  {0x2D, "INSERT"},     {0x2E, "DELETE"},    {0x2F, "HELP"},
    {0x5B, "LWIN"},       {0x5C, "RWIN"},      {0x5D, "APPS"},       {0x5F, "SLEEP"},     {0x6A, "MULTIPLY"},
    {0x6B, "ADD"},        {0x6C, "SEPARATOR"}, {0x6D, "SUBTRACT"},   {0x6E, "DECIMAL"},   {0x6F, "DIVIDE"},
    {0x90, "NUMLOCK"},    {0x91, "SCROLL"},    {0xA0, "LSHIFT"},     {0xA1, "RSHIFT"},    {0xA2, "LCONTROL"},
    {0xA3, "RCONTROL"},   {0xA4, "LMENU"},     {0xA5, "RMENU"},      {0xBA, "OEM_1"},     {0xBB, "OEM_PLUS"},
    {0xBC, "OEM_COMMA"},  {0xBD, "OEM_MINUS"}, {0xBE, "OEM_PERIOD"}, {0xBF, "OEM_2"},     {0xC0, "OEM_3"},
    {0xDB, "OEM_4"},      {0xDC, "OEM_5"},     {0xDD, "OEM_6"},      {0xDE, "OEM_7"},     {0xDF, "OEM_8"},
    {0xE2, "OEM_102"},    {0xE5, "PROCESSKEY"}, {0xE7, "PACKET"},    {0xF6, "ATTN"},      {0xF7, "CRSEL"},
    {0xF8, "EXSEL"},      {0xF9, "EREOF"},     {0xFA, "PLAY"},       {0xFB, "ZOOM"},      {0xFC, "NONAME"},
    {0xFD, "PA1"},        {0xFE, "OEM_CLEAR"},
};

// The keypad's virtual keys and what they give without a layout entry.
constexpr struct {
  int virtualKey;
  char character;
} kKeypadKeys[] = {{0x6A, '*'}, {0x6B, '+'}, {0x6D, '-'}, {0x6E, '.'}, {0x6F, '/'}};

// A decimal number as "%d" reads it, kept within int; false when none.
bool ReadNumber(const char*& p, const char* end, long& value) {
  while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\v' || *p == '\f')) ++p;
  std::string digits;
  if (p < end && (*p == '-' || *p == '+')) digits += *p++;
  while (p < end && std::isdigit(static_cast<unsigned char>(*p)) && digits.size() < 16) digits += *p++;
  while (p < end && std::isdigit(static_cast<unsigned char>(*p))) ++p;  // a longer run is out of range anyway
  if (digits.empty() || !std::isdigit(static_cast<unsigned char>(digits.back()))) return false;
  value = std::strtol(digits.c_str(), nullptr, 10);
  return true;
}

}  // namespace

std::string VirtualKeyName(int code) {
  code &= 0xFF;
  char name[24];
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
    std::snprintf(name, sizeof name, "VK_%c", code);
  else if (code >= 0x60 && code <= 0x69)
    std::snprintf(name, sizeof name, "VK_NUMPAD%d", code - 0x60);
  else if (code >= 0x70 && code <= 0x87)
    std::snprintf(name, sizeof name, "VK_F%d", code - 0x70 + 1);
  else {
    std::snprintf(name, sizeof name, "VK_%02XH", code);
    for (const NamedKey& key : kNamedKeys)
      if (key.code == code) std::snprintf(name, sizeof name, "VK_%s", key.name);
  }
  return name;
}

KeyTranslation::KeyTranslation(RecordLog& log) : log_(log) {
  for (int i = 0; i < 256; ++i) translation_[i] = i;
}

void KeyTranslation::Build(const std::string& layoutName, const KeyScan& scan, std::string_view translationsText) {
  const bool defaultLayout = layoutName == kDefaultLayoutName;
  for (int i = 0; i < 256; ++i) translation_[i] = i;
  ReadTranslations(translationsText);
  if (log_.recordEvents && !defaultLayout) LogTranslations();

  keys_.fill(0);
  for (int c = 0; c < 256; ++c) {
    int index = scan ? scan(c) : -1;
    // Plain Enter is the terminal's key: the module's key list says what it
    // sends (CR LF, a valid telnet end of line, where the layout's CR alone
    // is not), and the function-key editor can change it.
    if (index == kEnterKey) continue;
    if (index >= 0 && index < kKeyTableSize) keys_[index] = static_cast<uint16_t>(c);
  }
  AddBuiltIns();
  if (log_.recordEvents && !defaultLayout) LogKeyTable();
}

void KeyTranslation::AddBuiltIns() {
  auto add = [this](int index, int character) {
    if (keys_[index] == 0) keys_[index] = static_cast<uint16_t>(character);
  };
  for (int letter = 'A'; letter <= 'Z'; ++letter) {
    add((kModCtrl << 8) | letter, letter - 'A' + 1);
    add(((kModCtrl | kModShift) << 8) | letter, letter - 'A' + 1);
  }
  for (int digit = 0; digit <= 9; ++digit) add(0x60 + digit, '0' + digit);
  for (const auto& key : kKeypadKeys) add(key.virtualKey, key.character);
}

void KeyTranslation::ReadTranslations(std::string_view text) {
  size_t lineNumber = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    // Only the first 2048 characters of a line are read.
    if (line.size() > kTranslationsLineLimit) line = line.substr(0, kTranslationsLineLimit);
    const char* p = line.data();
    const char* stop = p + line.size();
    while (p < stop && std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (p == stop || *p == '#') continue;
    long from = 0, to = 0;
    if (!ReadNumber(p, stop, from) || !ReadNumber(p, stop, to) || from + to == 0) continue;
    if (from < 0 || from > 255) {
      log_.Event("translations.txt line %d: %ld is not a character code 0..255, line ignored\n",
                 static_cast<int>(lineNumber), from);
      continue;
    }
    translation_[from] = static_cast<int>(to & 0xFF);
  }
}

void KeyTranslation::LogTranslations() {
  log_.WriteRecord("translations:\n");
  for (int i = 0; i < 256; ++i)
    if (translation_[i] != i) log_.WriteRecord("%d -> %d\n", i, translation_[i]);
}

void KeyTranslation::LogKeyTable() {
  log_.WriteRecord("Completed Translation Table:\n");
  for (int index = 0; index < kKeyTableSize; ++index) {
    int c = keys_[index];
    if (c == 0) continue;
    std::string line = std::to_string(index) + ":\t";
    if (index & 0x400) line += "alt ";
    if (index & 0x200) line += "ctrl ";
    if (index & 0x100) line += "shift ";
    line += VirtualKeyName(index);
    char shown[32];
    std::snprintf(shown, sizeof shown, ", returns '%c' (%xH)\n", static_cast<char>(c), c);
    log_.WriteRecord("%s%s", line.c_str(), shown);
  }
}

KeyOutcome KeyTranslation::Translate(int virtualKey) const {
  virtualKey &= 0xFF;
  int m = modifiers & (kModShift | kModCtrl);
  // Caps Lock inverts Shift for letters, unless Ctrl makes them control codes.
  if ((modifiers & kModCapsLock) && virtualKey >= 'A' && virtualKey <= 'Z' && !(m & kModCtrl)) m ^= kModShift;
  KeyOutcome outcome;
  int c = keys_[(m << 8) | virtualKey];
  if (c != 0) {
    outcome.isCharacter = true;
    outcome.character = useIntlKeyboard ? translation_[c & 0xFF] : c;
    return outcome;
  }
  outcome.keyCode = (m << 8) | virtualKey;
  return outcome;
}

}  // namespace korvane
