#include "fileops/RenamePlan.h"

#include <windows.h>

#include <cwctype>
#include <map>
#include <memory>
#include <set>

#include "common/Handle.h"

namespace zq::fileops {

namespace {

std::wstring Folded(const std::wstring& name) {
    std::wstring out = name;
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towupper(c));
    return out;
}

}  // namespace

RenamePlanResult PlanRenames(const std::vector<RenameRequest>& requests,
                             const std::function<bool(const std::wstring&)>& taken) {
    RenamePlanResult result;
    std::set<std::wstring> sources;
    for (const RenameRequest& r : requests) sources.insert(Folded(r.oldName));

    // Pending moves: request index → its current name.  Names held by a
    // pending file are "occupied" until that file has moved.
    std::map<int, std::wstring> pending;
    std::set<std::wstring> targets;
    for (int i = 0; i < static_cast<int>(requests.size()); ++i) {
        const RenameRequest& r = requests[static_cast<size_t>(i)];
        if (r.oldName == r.newName) continue;
        const std::wstring target = Folded(r.newName);
        const bool caseOnly = target == Folded(r.oldName);
        const bool heldOutside = !caseOnly && !sources.count(target) && taken(r.newName);
        if (heldOutside || !targets.insert(target).second) {
            result.refused.push_back(i);
            continue;
        }
        pending[i] = r.oldName;
    }

    // A file of the batch that does not move keeps its name: a request onto
    // it is refused, which may keep another file in place in turn.
    for (bool changed = true; changed;) {
        changed = false;
        std::set<std::wstring> staying;
        for (int i = 0; i < static_cast<int>(requests.size()); ++i)
            if (!pending.count(i)) staying.insert(Folded(requests[static_cast<size_t>(i)].oldName));
        for (auto it = pending.begin(); it != pending.end();) {
            if (staying.count(Folded(requests[static_cast<size_t>(it->first)].newName))) {
                result.refused.push_back(it->first);
                it = pending.erase(it);
                changed = true;
            } else {
                ++it;
            }
        }
    }

    std::set<std::wstring> used = sources;
    int temporaryNumber = 0;
    while (!pending.empty()) {
        std::set<std::wstring> occupied;
        for (const auto& [index, name] : pending) occupied.insert(Folded(name));
        bool moved = false;
        for (auto it = pending.begin(); it != pending.end();) {
            const RenameRequest& r = requests[static_cast<size_t>(it->first)];
            const std::wstring target = Folded(r.newName);
            // A file's own current name does not block it (a change of case).
            if (occupied.count(target) && target != Folded(it->second)) {
                ++it;
                continue;
            }
            result.steps.push_back({it->second, r.newName, it->first});
            occupied.erase(Folded(it->second));
            it = pending.erase(it);
            moved = true;
        }
        if (moved) continue;
        // Only cycles are left: one file steps aside under a name nobody holds.
        auto first = pending.begin();
        std::wstring temporary;
        do {
            temporary = L"Temp_" + std::to_wstring(temporaryNumber++);
        } while (used.count(Folded(temporary)) || targets.count(Folded(temporary)) || taken(temporary));
        used.insert(Folded(temporary));
        result.steps.push_back({first->second, temporary, -1});
        first->second = temporary;
    }
    return result;
}

std::vector<std::wstring> GenerateBatchNames(const std::wstring& directory, const std::vector<std::wstring>& oldNames,
                                             const RenameOptions& options, unsigned caseConversion,
                                             const NameTaken& onDisk) {
    std::set<std::wstring> olds, given;
    for (const std::wstring& name : oldNames) olds.insert(Folded(name));
    const NameTaken taken = [&](const std::wstring& name) {
        const std::wstring folded = Folded(name);
        if (given.count(folded)) return true;
        return !olds.count(folded) && onDisk(name);
    };
    RenameGenerator generator;
    generator.Init(directory, options);
    std::vector<std::wstring> result;
    for (const std::wstring& old : oldNames) {
        std::wstring made;
        if (!generator.Generate(old, made, taken)) {
            result.emplace_back();
            continue;
        }
        made = ConvertCase(std::move(made), caseConversion);
        if (CheckNewName(directory, made) != NameProblem::kNameOk || given.count(Folded(made))) made.clear();
        if (!made.empty()) given.insert(Folded(made));
        result.push_back(std::move(made));
    }
    return result;
}

// Asking the disk name by name costs a scan of the whole directory for every
// name that is not there (the usual answer for a new name), which made a big
// batch quadratic; one listing answers every question of the batch instead.
// A name that appears after the listing cannot be overwritten: MoveFileW
// refuses an existing target, and the batch asks about that file.  Short
// names are listed too, since the file system answers to them as well.
NameTaken NamesOnDisk(const std::wstring& directory) {
    struct Listing {
        bool read = false;
        bool listed = false;
        std::set<std::wstring> names;
    };
    auto listing = std::make_shared<Listing>();
    return [directory, listing](const std::wstring& name) {
        if (!listing->read) {
            listing->read = true;
            WIN32_FIND_DATAW data{};
            const UniqueFind find(::FindFirstFileW((directory + L"\\*").c_str(), &data));
            if (find) {
                do {
                    listing->names.insert(Folded(data.cFileName));
                    if (data.cAlternateFileName[0] != L'\0') listing->names.insert(Folded(data.cAlternateFileName));
                } while (::FindNextFileW(find.Get(), &data));
                listing->listed = ::GetLastError() == ERROR_NO_MORE_FILES;
            }
        }
        if (listing->listed) return listing->names.count(Folded(name)) > 0;
        return ::GetFileAttributesW((directory + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
}

bool ExecuteRenamePlan(const std::wstring& directory, const RenamePlanResult& plan,
                       const std::function<void(int request)>& done, std::wstring& error,
                       const std::function<bool()>& stop) {
    std::set<std::wstring> parked;
    for (const RenameStep& step : plan.steps) {
        if (parked.empty() && stop && stop()) return true;
        const std::wstring from = directory + L"\\" + step.from;
        const std::wstring to = directory + L"\\" + step.to;
        if (!::MoveFileW(from.c_str(), to.c_str())) {
            error = step.from;
            return false;
        }
        parked.erase(Folded(step.from));
        if (step.request < 0) parked.insert(Folded(step.to));
        if (step.request >= 0 && done) done(step.request);
    }
    return true;
}

}  // namespace zq::fileops
