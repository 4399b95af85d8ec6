#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "vcard/reader.h"

// A large file read in two parts at once: the bytes from a card boundary (card_boundary.h)
// on a second thread, the bytes before it on the caller's, each by a reader of its own into
// a part of the caller's own (the rows of a layout, a count of contacts, ...).
//
//     std::size_t earlier = 0, later = 0;
//     auto count = [](VCardReader& reader, std::size_t& part, auto goOn) {
//         for (Contact contact; reader.next(contact) && goOn();)
//             ++part;
//     };
//     const auto always = [] { return true; };
//     if (!readInTwoParts(path, cut, options, earlier, later, count, always, warnings))
//         ...  // the cut was inside a card: drop what the parts got and read the whole file

namespace brimwell::vcard {

/// Reads the bytes of the file at `path` before `cut` with `read(reader, earlier,
/// earlierGoOn)` on this thread, and the bytes from `cut` on with `read(reader, later, goOn)`
/// on a second thread meanwhile. `read` reads its reader's contacts into its part for as long
/// as the `goOn()` it is given returns true; the second thread's is told to stop when this
/// thread is done with a cut that was inside a card, or throws.
///
/// True when each part was read whole, with the warnings of both, the later one's numbering
/// its cards on from the earlier one's, appended to `warnings`. False when the cut turned out
/// to be inside a card, or `earlierGoOn()` stopped the earlier part before its end (so the
/// parts are no reading of the file; `warnings` is left as it was). Rethrows what stopped either
/// part.
template <class Part, class Read, class GoOn>
bool readInTwoParts(const std::filesystem::path& path, std::uintmax_t cut,
                    const ReaderOptions& options, Part& earlier, Part& later, Read read,
                    GoOn earlierGoOn, std::vector<std::string>& warnings)
{
    VCardReader laterReader(path, ByteRange{cut}, options);
    std::atomic<bool> stop = false;
    std::exception_ptr laterError;
    std::thread thread([&] {
        try {
            read(laterReader, later, [&stop] { return !stop.load(std::memory_order_relaxed); });
        } catch (...) {
            laterError = std::current_exception();
        }
    });
    // The thread is stopped and joined however this function is left.
    struct Joiner {
        std::thread& thread;
        std::atomic<bool>& stop;
        ~Joiner()
        {
            if (!thread.joinable())
                return;
            stop = true;
            thread.join();
        }
    } joiner{thread, stop};

    VCardReader earlierReader(path, ByteRange{0, cut}, options);
    read(earlierReader, earlier, earlierGoOn);
    if (!earlierReader.endedBetweenCards())
        return false;
    thread.join();
    if (laterError)
        std::rethrow_exception(laterError);
    laterReader.numberCardsAfter(earlierReader.cardCount());
    for (const VCardReader* reader : {&earlierReader, &laterReader})
        warnings.insert(warnings.end(), reader->warnings().begin(), reader->warnings().end());
    return true;
}

}  // namespace brimwell::vcard
