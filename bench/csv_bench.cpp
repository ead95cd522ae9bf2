// Reading and writing comma-separated files of the sizes a rally day produces.
#include "Bench.h"
#include "common/Csv.h"

#include <string>

namespace {
trakmora::bench::Register csvBench("csv", [] {
    trakmora::CsvWriter w;
    for (int i = 0; i < 100000; ++i)
        w.number(i).number(-33.8 + i * 1e-6).number(151.2 - i * 1e-6).number(36000 + i).endRecord();
    const std::string text = w.str();
    trakmora::bench::timeIt("parse 100,000 four-value records", 10, [&] {
        auto doc = trakmora::CsvDocument::parse(text, "bench.csv");
        if (doc.records().size() != 100000) std::printf("wrong count\n");
    });
});
}
