#include "apps/cellwash/recipe.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "apps/cellwash/cli_failure.h"
#include "base/atomic_file.h"

namespace cli {

namespace {

using nlohmann::json;

std::string textOf(const json& value, const std::string& key) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number_integer()) return std::to_string(value.get<long long>());
    throw Failure(kUsage, "\"" + key + "\" takes a text");
}

std::vector<std::string> textsOf(const json& value, const std::string& key) {
    if (!value.is_array()) return {textOf(value, key)};
    std::vector<std::string> texts;
    for (const auto& item : value) texts.push_back(textOf(item, key));
    return texts;
}

void readEntry(ToolStep& step, const std::string& key, const json& value) {
    if (key == "tool")
        step.tool = textOf(value, key);
    else if (key == "sheet")
        step.sheet = textOf(value, key);
    else if (key == "select")
        step.select = textOf(value, key);
    else if (key == "active")
        step.active = textOf(value, key);
    else if (key == "column")
        step.columns = textsOf(value, key);
    else if (key == "set")
        step.sets = textsOf(value, key);
    else if (key == "click")
        step.clicks = textsOf(value, key);
    else if (key == "answer")
        step.answer = textOf(value, key);
    else if (key == "no")
        step.no = value.is_boolean() && value.get<bool>();
    else if (key == "stop-after")
        step.stopAfter = std::stoi(textOf(value, key));
    else if (const PlainFlag* flag = findPlainFlag("--" + key)) {
        if (flag->kind != ValueKind::None)
            step.plain.push_back({"--" + key, textOf(value, key)});
        else if (value.is_boolean()) {
            if (value.get<bool>()) step.plain.push_back({"--" + key, ""});
        } else
            throw Failure(kUsage, "\"" + key + "\" takes true or false");
    } else
        throw Failure(kUsage, "\"" + key +
                                  "\" is not a step entry (tool, select, column, sheet, active, set, click, "
                                  "no, answer, stop-after, or a plain option such as mode)");
}

ToolStep stepOf(const json& entry, size_t number) {
    if (!entry.is_object()) throw Failure(kUsage, "step " + std::to_string(number) + " is not an object");
    ToolStep step;
    try {
        for (const auto& [key, value] : entry.items()) readEntry(step, key, value);
    } catch (const Failure& f) {
        throw Failure(kUsage, "step " + std::to_string(number) + ": " + f.what());
    }
    if (step.tool.empty()) throw Failure(kUsage, "step " + std::to_string(number) + " names no tool");
    return step;
}

json entryOf(const ToolStep& step) {
    json entry{{"tool", step.tool}};
    if (step.sheet) entry["sheet"] = *step.sheet;
    if (step.select) entry["select"] = *step.select;
    if (!step.columns.empty()) entry["column"] = step.columns.size() == 1 ? json(step.columns[0]) : json(step.columns);
    if (step.active) entry["active"] = *step.active;
    for (const auto& setting : step.plain) {
        const std::string key = setting.flag.substr(2);
        entry[key] = findPlainFlag(setting.flag)->kind == ValueKind::None ? json(true) : json(setting.value);
    }
    if (!step.sets.empty()) entry["set"] = step.sets;
    if (!step.clicks.empty()) entry["click"] = step.clicks;
    if (step.no) entry["no"] = true;
    if (step.answer) entry["answer"] = *step.answer;
    if (step.stopAfter) entry["stop-after"] = *step.stopAfter;
    return entry;
}

json readDocument(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure(kUsage, path + ": no such recipe");
    try {
        return json::parse(in);
    } catch (const json::parse_error& e) {
        throw Failure(kUsage, path + ": not a JSON recipe: " + e.what());
    }
}

// The steps array of a recipe: {"steps": [...]}, or the array itself.
const json& stepsIn(const json& doc, const std::string& path) {
    if (doc.is_array()) return doc;
    if (doc.is_object() && doc.contains("steps") && doc["steps"].is_array()) return doc["steps"];
    throw Failure(kUsage, path + ": a recipe is {\"steps\": [...]}");
}

}  // namespace

std::vector<ToolStep> readRecipe(const std::string& path) {
    const json doc = readDocument(path);
    std::vector<ToolStep> steps;
    for (const auto& entry : stepsIn(doc, path)) steps.push_back(stepOf(entry, steps.size() + 1));
    if (steps.empty()) throw Failure(kUsage, path + ": the recipe has no steps");
    return steps;
}

void appendToRecipe(const std::string& path, const ToolStep& step) {
    json doc{{"steps", json::array()}};
    if (std::filesystem::exists(path)) {
        doc = readDocument(path);
        if (doc.is_array()) doc = json{{"steps", doc}};
        stepsIn(doc, path);
    }
    doc["steps"].push_back(entryOf(step));
    base::replaceFileContent(path, doc.dump(2) + "\n");
}

}  // namespace cli
