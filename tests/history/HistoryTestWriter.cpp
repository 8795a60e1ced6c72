// A second copy of the program for the history tests: writes COUNT records to the store, each a
// request and its outcome in transactions of their own, while the test's other copy does the same.
// Usage: history_test_writer STORE COUNT ROOM. Exits 0 only when every record was written.
#include "TTransferLog.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    zeft::TTransferLog log;
    if (!log.Open(QString::fromLocal8Bit(argv[1])).Opened) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(log.LastError()));
        return 1;
    }
    zeft::THeatingLocation room;
    room.DisplayText = argv[3];
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        const std::int64_t id = log.RecordRequest(QStringLiteral("/home/a/house.zeft"), room);
        if (id == 0) {
            std::fprintf(stderr, "record %d: %s\n", i, qPrintable(log.LastError()));
            return 1;
        }
        log.RecordOutcome(id, zeft::TTransferResult::Sent);
        if (!log.LastError().isEmpty()) {
            std::fprintf(stderr, "outcome %d: %s\n", i, qPrintable(log.LastError()));
            return 1;
        }
    }
    return 0;
}
