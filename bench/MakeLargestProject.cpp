// Writes the largest project file the format allows, for timing `korctl convert` on it:
//   make_largest_project OUT.kma
#include "LargeDocument.h"

#include "config/ConfigFiles.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_largest_project OUT.kma\n");
        return 2;
    }
    kor::ConfigDocument doc;
    kor::bench::FillLargestDocument(doc);
    if (const kor::Status saved = kor::SaveProjectFile(doc, QString::fromLocal8Bit(argv[1]));
        saved.failed()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], saved.reason().c_str());
        return 1;
    }
    return 0;
}
