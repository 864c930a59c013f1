#include "bench/lisp_library.h"

#include <cstdio>
#include <fstream>

namespace merulan::bench {

std::string libraryBlock(int n) {
    const std::string id = std::to_string(n);
    return ";;; ==================================================\n"
           ";;; 建具表の作成 " +
           id +
           " : 選択した図形から寸法を拾います\n"
           ";;; --------------------------------------------------\n"
           "(defun c:TATEGU" +
           id +
           " (ent pt / ss i name lst)\n"
           "  ;; 図形を選択する\n"
           "  (setq ss (ssget \"X\" '((0 . \"INSERT\")))) ; ブロックのみ\n"
           "  (setq msg \"寸法; \\\"幅\\\" と \\\"高さ\\\" を拾う\")\n"
           "  ;| 古い処理:\n"
           "     (command \"_.ERASE\" ss \"\")\n"
           "  |;\n"
           "  (defun tategu-item" +
           id +
           " (e / d)\n"
           "    (setq d (entget e))\n"
           "    (list (cdr (assoc 2 d)) (cdr (assoc 41 d)) (cdr (assoc 42 d))))\n"
           "  (if ss\n"
           "    (progn\n"
           "      (setq i 0)\n"
           "      (repeat (sslength ss)\n"
           "        (setq lst (cons (tategu-item" +
           id +
           " (ssname ss i)) lst)\n"
           "              i (1+ i)))\n"
           "      (princ (strcat \"\\n\" (itoa (length lst)) \" 個\"))))\n"
           "  (princ))\n"
           "\n"
           "(defun tategu-helper" +
           id +
           " (a b)\n"
           "  (+ a b))\n"
           "\n";
}

std::string librarySource(std::size_t bytes, int firstBlock) {
    std::string source;
    for (int n = firstBlock; source.size() < bytes; ++n) {
        source += libraryBlock(n);
    }
    return source;
}

std::vector<std::u16string> writeLibraryFolder(const std::filesystem::path& folder, int files, int sharedEvery) {
    constexpr int kBlocksApart = 1000; // more blocks than a source of 100 KB holds
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::vector<std::u16string> paths;
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "tools%03d.lsp", i);
        std::string source = librarySource(100 << 10, i * kBlocksApart);
        if (sharedEvery > 0 && i > 0 && i % sharedEvery == 0) {
            source += libraryBlock((i - 1) * kBlocksApart);
        }
        std::ofstream(folder / name, std::ios::binary) << source;
        paths.push_back((folder / name).u16string());
    }
    return paths;
}

} // namespace merulan::bench
