// The RTF reader of the text editor on arbitrary bytes: it must neither crash nor hang, and
// whatever it reads must come back identical through the writer.
#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    richdoc::Document doc;
    if (!rtf::readDocument(bytes, doc))
        return 0;
    richdoc::Document again;
    if (!rtf::readDocument(rtf::writeDocument(doc), again) || !(again == doc))
        std::abort();
    return 0;
}
