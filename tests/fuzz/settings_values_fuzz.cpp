// The settings program reads values any program or user may have written
// (switches, numbers, the terminal types under Terms, the character maps,
// the colour table) and takes free text from its fields: any of it must
// read, show and store back without fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "character_map_editor.h"
#include "colour_selection.h"
#include "setup_values.h"
#include "term_type_list.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Parts separated by 0xFF: TermName, a switch, TimerInterval, a type's
  // name, its TermType, its TermDLL, AnsiMap, colors, DisplayOnly, the
  // hosts-file field, InstallDir.
  std::string parts[11];
  size_t part = 0;
  for (size_t i = 0; i < size && part < 11; ++i) {
    if (data[i] == 0xFF)
      ++part;
    else
      parts[part] += static_cast<char>(data[i]);
  }
  MemoryConfigStore store;
  if (!parts[0].empty()) store.WriteTextCreatingKey("Settings", "TermName", parts[0]);
  store.WriteTextCreatingKey("Settings", "AutoClose", parts[1]);
  store.WriteTextCreatingKey("Settings", "TimerInterval", parts[2]);
  const std::string typeKey = "Terms\\" + parts[3];
  store.WriteTextCreatingKey(typeKey, "TermType", parts[4]);
  store.WriteTextCreatingKey(typeKey, "TermDLL", parts[5]);
  store.WriteBinary(typeKey, "AnsiMap", parts[6].data(), parts[6].size());
  store.WriteBinary("Settings", "colors", parts[7].data(), parts[7].size());
  store.WriteTextCreatingKey(typeKey, "DisplayOnly", parts[8]);

  TermTypeList types;
  EnumerateTermTypes(types, {{"emu_vt100.dll", "vt100", "vt100"}}, store);
  if (types.entries().size() > TermTypeList::kLimit || types.empty()) __builtin_trap();
  SetupValues values = ReadSetupValues(store);
  auto selected = InitialTermSelection(values, types);
  if (selected && !types.Find(*selected)) __builtin_trap();
  values.timer = parts[2];
  values.hostsFile = parts[9];
  HostsPathForEditor(parts[9], parts[10]);
  StoreSetupValues(store, values, selected ? types.Find(*selected) : nullptr);

  CharacterMapEditor editor;
  editor.Load(store, parts[3], static_cast<int>(size % 2));
  for (unsigned char c : parts[4]) {
    if (auto code = editor.CharacterForKey(c)) editor.Show(*code);
    editor.MapCurrentTo(c);
    if (editor.StatusText().empty()) __builtin_trap();
  }
  editor.Store(store, parts[3]);
  CreateTermType(store, parts[0], ModuleShortName(parts[5]), parts[4]);

  ColourSelection colours;
  colours.Load(store);
  for (unsigned char c : parts[1]) {
    ColourAltAction action = ColourAltKey(c, colours.current());
    if (action.kind == ColourAltAction::SelectEntry) colours.SetCurrent(action.entry);
    colours.ChooseSystemColour(c % 30);
  }
  colours.Store(store);
  return 0;
}
