// Layout scene files parsed while a second thread reads them: whatever the
// sizes of the pieces the file arrives in, the scene, the document and every
// message are those of the same text read whole; a file that cannot be read
// to its end fails the load with its name and leaves the host as it was.
#ifndef _WIN32
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/files/file_problem.h"
#include "host/files/streamed_input.h"
#include "host/scene_files/lws_file.h"
#include "host/scene_files/scene_loading.h"
#include "tests/host/lws_corpus.h"
#include "tests/host/test_support.h"

namespace layout {
namespace {

using testing::corpusFile;

// What a read leaves: the message, or the saved file and the scene tree.
struct Outcome {
  std::string message;
  std::string saved;
  std::string tree;
  bool operator==(const Outcome &) const = default;
};

Outcome outcomeOf(const std::optional<FileError> &error, const Host &host,
                  const std::unique_ptr<LwsDocument> &document) {
  if (error) return {error->formatWithSource(), {}, {}};
  return {{}, writeLwsScene(host, document.get()), sceneTree(host)};
}

Outcome readWhole(const std::string &text) {
  Host host;
  std::unique_ptr<LwsDocument> document;
  const auto error = readLwsScene(text, "scene.lws", host, document);
  return outcomeOf(error, host, document);
}

class StreamedLws : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = layout::testing::newTemporaryFolder("streamed_lws"); }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const std::string &name, const std::string &text) const {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  // Reads `text` from a file in pieces of `chunk` bytes, stating its size
  // as `statedSize` (its own size unless given).
  Outcome readStreamed(const std::string &text, size_t chunk, std::optional<size_t> statedSize = {}) {
    const std::string path = write("scene.lws", text);
    StreamedInput input(::open(path.c_str(), O_RDONLY), statedSize.value_or(text.size()), "scene.lws", chunk);
    std::unique_ptr<LwsDocument> document;
    const auto error = readLwsScene(input, "scene.lws", host_, document);
    return outcomeOf(error, host_, document);
  }

  std::string dir_;
  Host host_;
};

TEST_F(StreamedLws, PiecesOfAnySizeReadAsTheWholeText) {
  std::vector<std::string> texts;
  for (const char *name : {"v3_robot.lws", "v4_crlf.lws", "v5_deep_chain.lws", "v5_rig.lws"})
    texts.push_back(corpusFile(name));
  const std::string rig = corpusFile("v5_rig.lws");
  // Mistakes early, in the middle and at the very end, and texts without a
  // final line break or with no line at all.
  texts.push_back("");
  texts.push_back("LWSC");
  texts.push_back("LWSC\r\n5");
  texts.push_back("LWSC\r\n5\r\n\r\nAddNullObject 10000000 Root\r\nShowObject 9 3\r\n");
  texts.push_back(rig.substr(0, rig.size() / 2) + "}\n" + rig.substr(rig.size() / 2));
  texts.push_back(rig + "{ Plugin\n  Data 1");
  texts.push_back(rig.substr(0, rig.size() - 1));
  for (const std::string &text : texts) {
    const Outcome whole = readWhole(text);
    // One byte at a time splits every line and every CRLF; the last is
    // larger than any of the files.
    for (size_t chunk :
         {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{64}, size_t{4096}, size_t{1} << 21}) {
      EXPECT_EQ(readStreamed(text, chunk), whole) << "chunk " << chunk << " of\n" << text.substr(0, 200);
    }
  }
}

// Through a pipe the pieces come as they are written, so the parser keeps
// catching up with the read and waiting for it.
TEST_F(StreamedLws, AFileArrivingSlowlyIsWaitedFor) {
  const std::string text = corpusFile("v5_rig.lws");
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::thread writer([&] {
    for (size_t at = 0; at < text.size(); at += 777) {
      const size_t count = std::min<size_t>(777, text.size() - at);
      EXPECT_EQ(::write(ends[1], text.data() + at, count), static_cast<ssize_t>(count));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::close(ends[1]);
  });
  StreamedInput input(ends[0], text.size(), "pipe.lws");
  std::unique_ptr<LwsDocument> document;
  const auto error = readLwsScene(input, "pipe.lws", host_, document);
  writer.join();
  EXPECT_EQ(outcomeOf(error, host_, document), readWhole(text));
}

TEST_F(StreamedLws, AFileThatCannotBeReadToItsEndFailsNamingItAndChangesNothing) {
  const std::string text = corpusFile("v5_rig.lws");
  const ItemID body = host_.scene().addObject("Body");
  const auto failure = [&](const std::function<Outcome()> &read) {
    try {
      read();
    } catch (const FileProblem &problem) {
      return std::string(problem.what());
    }
    return std::string("no failure");
  };
  // Shorter or longer than when it was opened; a mistake in the text read so
  // far does not hide that the read failed.
  EXPECT_EQ(failure([&] { return readStreamed(text, 64, text.size() + 1); }),
            "cannot read scene.lws: it changed size while it was read");
  EXPECT_EQ(failure([&] { return readStreamed(text, 64, text.size() - 1); }),
            "cannot read scene.lws: it changed size while it was read");
  EXPECT_EQ(failure([&] { return readStreamed("LWSC\n9\n" + text, 64, text.size() + 7 + 10); }),
            "cannot read scene.lws: it changed size while it was read");
  // The system's own error, here from a folder opened as the file.
  EXPECT_EQ(failure([&] {
              StreamedInput input(::open(dir_.c_str(), O_RDONLY), 100, dir_);
              std::unique_ptr<LwsDocument> document;
              return outcomeOf(readLwsScene(input, dir_, host_, document), host_, document);
            }),
            "cannot read " + dir_ + ": Is a directory");
  EXPECT_EQ(host_.scene().itemCount(), 1u);
  EXPECT_TRUE(host_.scene().find(body));
}

TEST_F(StreamedLws, TheLoadOfAPathTellsTheFormatAndRefusesWhatIsNoFile) {
  std::unique_ptr<LwsDocument> document;
  const SceneLoad lws = loadSceneFrom(write("rig.LWS", corpusFile("v4_crlf.lws")), host_, document);
  EXPECT_TRUE(lws.lws);
  EXPECT_FALSE(lws.error);
  ASSERT_TRUE(document);
  EXPECT_EQ(document->text.view(), corpusFile("v4_crlf.lws"));

  const SceneLoad empty = loadSceneFrom(write("empty.lws", ""), host_, document);
  ASSERT_TRUE(empty.error);
  EXPECT_EQ(empty.error->format(),
            dir_ + "/empty.lws:1:1: not a Layout scene file: expected \"LWSC\" on the first line");

  const auto refusal = [&](const std::string &path) {
    try {
      loadSceneFrom(path, host_, document);
    } catch (const FileProblem &problem) {
      return problem.reason();
    }
    return std::string("read");
  };
  EXPECT_EQ(refusal(dir_ + "/missing.lws"), "No such file or directory");
  std::filesystem::create_directory(dir_ + "/folder.lws");
  EXPECT_EQ(refusal(dir_ + "/folder.lws"), "it is a folder");
  ASSERT_EQ(::mkfifo((dir_ + "/fifo.lws").c_str(), 0600), 0);
  EXPECT_EQ(refusal(dir_ + "/fifo.lws"), "it is not a regular file; - reads standard input");
}

}  // namespace
}  // namespace layout
#endif
