// Every stored fuzz input, the seeds and the inputs that once crashed a
// reader, is fed again to its reader in the ordinary build: a reader that
// crashes or hangs on one of them fails the suite even where no fuzzer runs.
#include "fuzz/FuzzReaders.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using Fuzz::FuzzReaders;

TEST(CorpusReplayTest, EveryReaderReadsEveryStoredInputOfItsCorpus)
{
    FuzzReaders::prepare();
    for (const std::string &reader : FuzzReaders::names()) {
        const QDir corpus(QStringLiteral(TESSIVAL_FUZZ_CORPUS_DIR "/") + QString::fromStdString(reader));
        const QStringList inputs = corpus.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(inputs.isEmpty()) << reader << ": a target without seeds explores blindly";
        for (const QString &name : inputs) {
            QFile input(corpus.filePath(name));
            ASSERT_TRUE(input.open(QIODevice::ReadOnly)) << name.toStdString();
            SCOPED_TRACE(reader + "/" + name.toStdString());
            EXPECT_TRUE(FuzzReaders::feed(reader, input.readAll()));
        }
    }
}
