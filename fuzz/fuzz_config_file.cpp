// The optical configurations file config.cfg, read, written back and read again.
#include "platform/textfile.h"
#include "settings/configfile.h"
#include "support.h"

using namespace settings;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzzing::WriteScratchFile(data, size, "config.cfg");
    const ConfigFileReading read = ReadConfigFile(path);
    if (!read.opened) __builtin_trap();
    if (read.entries.size() > static_cast<size_t>(kMaxOpticalConfigurations)) __builtin_trap();
    // What was read is saved and read back unchanged, and cleanly.
    const QByteArray saved =
        textfile::Encode(ConfigFileLines(read.entries).join(QStringLiteral("\r\n")) + "\r\n");
    const QString copy = fuzzing::WriteScratchFile(reinterpret_cast<const uint8_t*>(saved.data()),
                                                   saved.size(), "config-copy.cfg");
    const ConfigFileReading again = ReadConfigFile(copy);
    if (again.entries != read.entries || !again.problem.isEmpty()) __builtin_trap();
    // The list the window edits keeps its bounds whatever it is asked.
    OpticalConfigurationList list(read.entries);
    const int p = size > 0 ? static_cast<int>(data[0]) % 20 - 2 : -1;
    list.setField(p, p, path);
    const int before = list.count();
    const bool selected = p >= 0 && p < before;
    const int next = list.remove(p);
    if (list.count() != (selected ? before - 1 : before)) __builtin_trap();
    if (next < -1 || next >= list.count() || (selected && list.count() > 0 && next < 0))
        __builtin_trap();
    return 0;
}
