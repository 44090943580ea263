// A collection under a random sequence of brelt's changes, edits by another program (another
// stream on the same file), undos and redos, all through the safety net. After every step of
// brelt's: nothing outside the pixel areas of images 1..count changed and the file did not grow;
// while another program's edit is in the file, no undo or redo writes anything; and when no
// other program came in between, undoing every change gives back the file's first bytes exactly.
//
// Input: a size byte (the size class and a tail), then four bytes per step (operation, three
// arguments), then the bytes that, repeated, fill the collection.
#include "FuzzFiles.h"

#include "collection/CollectionFormat.h"
#include "collection/ImageSequences.h"
#include "collection/SafeEdit.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxSteps = 24;

// Image numbers from -1 to 130: below 1, within and beyond every collection size.
int ImageNumber(std::uint8_t value) {
    return value % 132 - 1;
}

Bytes Tiled(const std::uint8_t* pattern, std::size_t length, std::size_t size) {
    Bytes bytes(size, 0);
    for (std::size_t i = 0; length > 0 && i < size; ++i) {
        bytes[i] = pattern[i % length];
    }
    return bytes;
}

// Writes areas of value over a run of images, some of them perhaps not in the collection.
EditFunction Fill(std::vector<int> images, std::uint8_t value) {
    return [images, value](std::FILE*& stream) {
        Written written;
        for (int image : images) {
            if (!WritePixelArea(stream, image, PixelAreaBytes(2048, value))) {
                written.failed.push_back(image);
            }
        }
        return written;
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const FuzzFile collection("net.sgc");
    if (size < 2) {
        return 0;
    }
    const long sizes[] = {202752, 231424, 260096};
    const long length = sizes[data[0] % 3] + (data[0] / 3) * 12;
    std::size_t steps = std::min<std::size_t>((size - 1) / 4, kMaxSteps);
    const std::uint8_t* pattern = data + 1 + 4 * steps;
    const Bytes first = Tiled(pattern, size - 1 - 4 * steps, static_cast<std::size_t>(length));
    collection.Set(first);
    const int count = sgc::ImageCountForSize(length);

    std::FILE* stream = collection.Stream();
    EditTarget target{stream, collection.Path(), "KEY"};
    ChangeHistory history;
    int backups = 0;
    // What another program changes is judged by content: an edit it takes back again leaves
    // the file as brelt left it.
    Bytes leftByBrelt = first;
    bool outsideEver = false;
    for (std::size_t i = 0; i < steps; ++i) {
        const std::uint8_t* s = data + 1 + 4 * i;
        Bytes before = collection.Get();
        BackUpFunction backUp = [&](const FileBytes& content) {
            if (content != before) {
                Violated("the backup is not the file as it was");
            }
            // Now and then no copy can be made.
            return s[3] % 11 == 0 ? BackupResult{{},
                                                 std::make_error_code(std::errc::io_error),
                                                 BackupResult::Failed::Write}
                                  : BackupResult{"copy " + std::to_string(++backups), {}, {}};
        };
        bool replay = false;
        EditOutcome outcome;
        switch (s[0] % 6) {
        case 0:
        case 1: { // brelt writes one to four images
            std::vector<int> images;
            for (int k = 0; k <= s[2] % 4; ++k) {
                images.push_back(ImageNumber(static_cast<std::uint8_t>(s[1] + 7 * k)));
            }
            outcome = SafeEdit(history, target, "Omple", images, Fill(images, s[3]), backUp);
            break;
        }
        case 2: { // brelt shifts from an image
            int from = std::max(1, ImageNumber(s[1]));
            std::vector<int> moved;
            for (int image = from + 1; image <= count; ++image) {
                moved.push_back(image);
            }
            outcome = SafeEdit(
                history, target, "Desplaça", moved,
                [&](std::FILE*& f) {
                    return Written::AllOr(static_cast<bool>(ShiftImagesUp(f, count, from)), moved);
                },
                backUp);
            break;
        }
        case 3: { // another program writes a few bytes anywhere in the file
            std::FILE* other = std::fopen(collection.Path().c_str(), "r+b");
            long at = static_cast<long>((s[1] << 8 | s[2]) * 4 % length);
            std::fseek(other, at, SEEK_SET);
            std::fputc(s[3], other);
            std::fclose(other);
            outsideEver = outsideEver || collection.Get() != leftByBrelt;
            continue;
        }
        default:
            replay = true;
            outcome = SafeReplay(history, target, s[0] % 6 == 4);
            break;
        }
        Bytes after = collection.Get();
        if (after.size() != before.size()) {
            Violated("the file's size changed");
        }
        ExpectOnlyPixelAreasChanged(before, after, 1, count);
        if (replay && before != leftByBrelt && after != before) {
            Violated("an undo or redo wrote over another program's change");
        }
        if (outcome.kind == EditOutcome::Kind::Refused && after != before) {
            Violated("a refused change wrote");
        }
        if (outcome.kind != EditOutcome::Kind::Refused) {
            leftByBrelt = after;
        }
    }
    if (!outsideEver) {
        while (SafeReplay(history, target, true).kind == EditOutcome::Kind::Done) {
        }
        if (collection.Get() != first) {
            Violated("undoing every change did not give the first bytes back");
        }
    }
    std::clearerr(stream);
    return 0;
}
