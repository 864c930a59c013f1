#include "bench/window/window_bench_support.h"

#include "app/program.h"
#include "text/utf8.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace merulan {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::filesystem::path buildPath(const char* path) {
    std::string p(path);
    if (!p.empty() && p[0] == '/') {
        p = "Z:" + p; // a Unix path of the build, seen through Wine's drive Z:
    }
    std::replace(p.begin(), p.end(), '/', '\\');
    return std::filesystem::path(p);
}

std::string listOf(int entries, int variant, int first) {
    std::string text = "\xEF\xBB\xBF";
    char line[160];
    if (variant) {
        std::snprintf(line, sizeof(line), "版 %d\r\nNEW%d\t新しいコマンド\r\n", variant, variant);
        text += line;
    }
    for (int group = 0; group < entries / 20; ++group) {
        std::snprintf(line, sizeof(line), "グループ %03d\r\n", group);
        text += line;
        for (int i = 0; i < 20; ++i) {
            const int n = first + group * 20 + i;
            if (n % 10 == 9) {
                std::snprintf(line, sizeof(line), "CMD%04d\t%d 番のツールをロード\tMerulan\\tool%04d.lsp\r\n", n, n, n);
            } else {
                std::snprintf(line, sizeof(line), "CMD%04d\t%d 番のコマンドを実行\r\n", n, n);
            }
            text += line;
        }
    }
    return text;
}

Stage stageWith(const std::filesystem::path& exe, const std::string& listBytes, const char* name,
                const std::string& sharedListBytes) {
    Stage stage;
    stage.dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(stage.dir);
    std::filesystem::create_directories(stage.dir);
    stage.exe = stage.dir / exe.filename();
    std::filesystem::copy_file(exe, stage.exe);
    if (!listBytes.empty()) {
        std::ofstream(stage.dir / "MerulanList.txt", std::ios::binary) << listBytes;
    }
    if (!sharedListBytes.empty()) {
        std::filesystem::create_directories(stage.dir / "server");
        std::ofstream(stage.dir / "server" / "MerulanList.txt", std::ios::binary) << sharedListBytes;
        std::ofstream(stage.dir / "Merulan.ini", std::ios::binary) << "[List]\r\nShared=server\\MerulanList.txt\r\n";
    }
    return stage;
}

std::string sampleListBytes() {
    std::ifstream file(buildPath(SAMPLE_LIST_PATH), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

InProcessPalette::InProcessPalette(const std::string& list, const char* name, const std::string& sharedList)
    : stage(stageWith(buildPath(MERULAN_EXE_PATH), list, name, sharedList)),
      theme(applyStyle(kPaletteStyleName, [](const std::u16string&) {})) {
    FormEnvironment env = productionEnvironment(theme);
    env.executablePath = stage.exe.u16string();
    lspRecords.clear();
    form = TMerulanForm::create(env, theme);
    form->show(SW_SHOWNOACTIVATE);
    pump();
    const auto start = Clock::now();
    while (!sharedList.empty() && !std::any_of(lspRecords.begin(), lspRecords.end(), [](const TLspRecord& r) {
        return r.shared;
    }) && millisecondsSince(start) < 30000) {
        Sleep(1);
        pump();
    }
    while (form->TreeView1.moreToRender()) {
        pump();
    }
}

InProcessPalette::~InProcessPalette() {
    form.reset();
    lspRecords.clear();
}

double runToEnd(const std::filesystem::path& exe, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    const auto start = Clock::now();
    double elapsed = -1;
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &info)) {
        WaitForSingleObject(info.hProcess, INFINITE);
        elapsed = millisecondsSince(start);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    CloseHandle(nul);
    return elapsed;
}

} // namespace merulan
