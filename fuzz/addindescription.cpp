// An add-in's description XML: any text is either read whole or refused
// with one of the reasons the manager shows; a read item always has a menu.
#include "fuzzcheck.h"

#include "addins/addindescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int index = input.ConsumeIntegral<int>();
    const CAddinDescriptionResult result = ParseAddinDescription(QString::fromUtf8(FuzzRest(input)));
    if (!result.ok()) {
        FUZZ_CHECK(result.description.commands.isEmpty());
        return 0;
    }
    for (const CAddinCommand &command : result.description.commands) {
        FUZZ_CHECK(!command.menuPath.isEmpty());
        const QString marked = InsertMnemonic(command.name, index);
        FUZZ_CHECK(marked.size() == command.name.size() + (index >= 0 && index <= command.name.size() ? 1 : 0));
    }
    return 0;
}
