// Writes the largest project file the format allows, for timing `korctl convert` on it:
//   make_largest_project OUT.kma [ACTIONS_PER_RULE]
// A smaller action count (64 gives about a quarter) shows whether the time grows linearly.
#include "LargeDocument.h"

#include "config/ConfigFiles.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_largest_project OUT.kma [ACTIONS_PER_RULE]\n");
        return 2;
    }
    const int actions = argc == 3 ? std::atoi(argv[2]) : kor::SensorRule::MaxActions;
    if (actions < 1 || actions > kor::SensorRule::MaxActions) {
        std::fprintf(stderr, "ACTIONS_PER_RULE must be 1 to %d\n", kor::SensorRule::MaxActions);
        return 2;
    }
    kor::ConfigDocument doc;
    kor::bench::FillLargestDocument(doc, kor::ConfigDocument::RuleCount, actions);
    if (const kor::Status saved = kor::SaveProjectFile(doc, QString::fromLocal8Bit(argv[1]));
        saved.failed()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], saved.reason().c_str());
        return 1;
    }
    return 0;
}
