// Reading "GamePlan.xml": Environment, Assets and Story, strictly in that
// order, and the look-ups of assets and chapters.
#include "gameplan.h"

#include "debugbreak.h"
#include "debuglog.h"
#include "filepath.h"
#include "mathutil.h"
#include "xmlfile.h"

#include <tinyxml.h>

#include <cstdlib>

namespace {

// Text of the element's first text child; empty when it has none.
std::string TextOf(const TiXmlElement* element)
{
    const char* text = GetFirstText(element);
    return text != nullptr ? std::string(text) : std::string();
}

// Next sibling element of the given name after this one, or null.
const TiXmlElement* NextElementNamed(const TiXmlElement* element, const char* name)
{
    return element->NextSiblingElement(name);
}

// The chapter fields that a child element of "Chapter" sets.
using TextField = std::string Chapter::*;
using FlagField = bool Chapter::*;

struct ChapterTextElement {
    const char* name;
    FlagField flag;
    TextField text;
};

constexpr ChapterTextElement kChapterTextElements[] = {
    {"Intro", &Chapter::hasIntro, &Chapter::intro},
    {"Level", &Chapter::hasLevel, &Chapter::level},
    {"IntroMusic", &Chapter::hasIntroMusic, &Chapter::introMusic},
    {"LevelMusic", &Chapter::hasLevelMusic, &Chapter::levelMusic},
    {"WinAnim", &Chapter::hasWinAnim, &Chapter::winAnim},
    {"LoseAnim", &Chapter::hasLoseAnim, &Chapter::loseAnim},
};

}  // namespace

const char* GetFirstText(const TiXmlElement* element)
{
    if (element == nullptr) {
        return nullptr;
    }
    for (const TiXmlNode* node = element->FirstChild(); node != nullptr; node = node->NextSibling()) {
        const TiXmlText* text = node->ToText();
        if (text != nullptr) {
            return text->Value();
        }
    }
    return nullptr;
}

// ---- Story ----

int Story::GetChapterCount() const
{
    return static_cast<int>(chapters_.size());
}

void Story::AddChapter(const Chapter& chapter)
{
    chapters_.push_back(chapter);
}

void Story::Clear()
{
    title_.clear();
    chapters_.clear();
}

void Story::SetTitle(const std::string& title)
{
    title_ = title;
}

bool Story::GetFirstChapter(const Chapter** chapter) const
{
    *chapter = chapters_.empty() ? nullptr : &chapters_.front();
    return *chapter != nullptr;
}

bool Story::FindChapter(const char* title, const Chapter** chapter) const
{
    *chapter = nullptr;
    if (title == nullptr) {
        DEBUG_BREAK("FindChapter with a null title");
        return false;
    }
    for (const Chapter& entry : chapters_) {
        if (entry.title == title) {
            *chapter = &entry;
            return true;
        }
    }
    return false;
}

bool Story::GetNextChapter(const char* title, const Chapter** chapter) const
{
    *chapter = nullptr;
    if (title == nullptr) {
        DEBUG_BREAK("GetNextChapter with a null title");
        return false;
    }
    for (auto it = chapters_.begin(); it != chapters_.end(); ++it) {
        if (it->title == title) {
            ++it;
            if (it == chapters_.end()) {
                return false;
            }
            *chapter = &*it;
            return true;
        }
    }
    return false;
}

// ---- GamePlan ----

GamePlan* GamePlan::GetInstance()
{
    if (Singleton<GamePlan>::FindInstance() == nullptr) {
        new GamePlan();
    }
    return Singleton<GamePlan>::FindInstance();
}

bool GamePlan::Load(const char* folder, const char* fileName)
{
    if (loaded_) {
        return false;
    }
    if (folder == nullptr || fileName == nullptr) {
        DEBUG_BREAK("GamePlan::Load with a null folder or file name");
        return false;
    }
    const bool result = LoadFile(JoinPath(folder, fileName));
    if (result) {
        directory_ = folder;
        loaded_ = true;
    }
    return result;
}

bool GamePlan::LoadFile(const std::string& path)
{
    DebugLog("Loading GamePlan file \"%s\"...\n", path.c_str());
    TiXmlDocument document;
    std::string why;
    if (!LoadXmlFile(path, document, &why)) {
        DebugLog("  Error reading XML file \"%s\": %s\n", path.c_str(), why.c_str());
        return false;
    }
    const TiXmlElement* root = document.FirstChildElement("GamePlan");
    if (root == nullptr) {
        DebugLog("Couldn't find GamePlan node.");
        return false;
    }
    const TiXmlElement* environment = root->FirstChildElement("Environment");
    if (environment == nullptr) {
        DebugLog("Couldn't find Environment node.");
        return false;
    }
    ReadEnvironment(environment);
    const TiXmlElement* assets = NextElementNamed(environment, "Assets");
    if (assets == nullptr) {
        DebugLog("Couldn't find Assets node");
        return false;
    }
    ReadAssets(assets);
    const TiXmlElement* story = NextElementNamed(assets, "Story");
    if (story == nullptr) {
        DebugLog("Couldn't find Story node");
        return false;
    }
    ReadStory(story);
    return true;
}

void GamePlan::ReadEnvironment(const TiXmlElement* environment)
{
    for (const TiXmlElement* setting = environment->FirstChildElement(); setting != nullptr;
         setting = setting->NextSiblingElement()) {
        const char* text = GetFirstText(setting);
        if (text != nullptr) {
            environment_.Set(setting->Value(), text);
        }
    }
}

void GamePlan::ReadAssets(const TiXmlElement* assets)
{
    for (const TiXmlElement* asset = assets->FirstChildElement("Asset"); asset != nullptr;
         asset = asset->NextSiblingElement("Asset")) {
        const char* name = asset->Attribute("name");
        if (name == nullptr) {
            DebugLog("Warning: asset element does not have a \"name\" attribute. (line %d)\n", asset->Row());
            continue;
        }
        const char* path = asset->Attribute("path");
        if (path == nullptr) {
            DebugLog("Warning: asset element named \"%s\" does not have a \"path\" attribute. (line %d)\n", name,
                     asset->Row());
            continue;
        }
        assets_[name] = path;
    }
}

void GamePlan::ReadStory(const TiXmlElement* story)
{
    story_.Clear();
    const TiXmlElement* title = story->FirstChildElement("Title");
    const TiXmlElement* chapter = nullptr;
    if (title == nullptr) {
        DebugLog("Warning: story node missing title. (line %d)", story->Row());
        chapter = story->FirstChildElement("Chapter");
    } else {
        story_.SetTitle(TextOf(title));
        chapter = title->NextSiblingElement("Chapter");
    }
    for (; chapter != nullptr; chapter = chapter->NextSiblingElement("Chapter")) {
        Chapter entry;
        ReadChapter(chapter, &entry);
        story_.AddChapter(entry);
    }
}

void GamePlan::ReadChapter(const TiXmlElement* element, Chapter* chapter)
{
    const TiXmlElement* title = element->FirstChildElement("Title");
    const TiXmlElement* child = nullptr;
    if (title == nullptr) {
        DebugLog("Warning: chapter element is missing it's title. (line %d)", element->Row());
        child = element->FirstChildElement();
    } else {
        chapter->title = TextOf(title);
        child = title->NextSiblingElement();
    }
    for (; child != nullptr; child = child->NextSiblingElement()) {
        const std::string name = child->Value();
        for (const ChapterTextElement& field : kChapterTextElements) {
            if (name == field.name) {
                chapter->*field.flag = true;
                chapter->*field.text = TextOf(child);
            }
        }
        if (name != "LevelMusic") {
            continue;
        }
        const char* loopStart = child->Attribute("LoopStart");
        const char* loopEnd = child->Attribute("LoopEnd");
        if (loopStart == nullptr) {
            chapter->hasLoopPoints = false;
            DebugLog("Warning: LevelMusic element does not have a \"LoopStart\" attribute. (line %d)\n", child->Row());
        } else if (loopEnd == nullptr) {
            chapter->hasLoopPoints = false;
            DebugLog("Warning: LevelMusic element does not have a \"LoopEnd\" attribute. (line %d)\n", child->Row());
        } else if (!ToInt32(std::atof(loopStart), &chapter->loopStart) ||
                   !ToInt32(std::atof(loopEnd), &chapter->loopEnd)) {
            chapter->hasLoopPoints = false;
            DebugLog("Warning: LevelMusic loop points \"%s\", \"%s\" are out of range. (line %d)\n", loopStart, loopEnd,
                     child->Row());
        } else {
            chapter->hasLoopPoints = true;
        }
    }
}

std::string GamePlan::GetEnvString(const std::string& key) const
{
    return environment_.GetString(key);
}

int GamePlan::GetEnvInt(const std::string& key) const
{
    return environment_.GetInt(key);
}

float GamePlan::GetEnvFloat(const std::string& key) const
{
    return environment_.GetFloat(key);
}

bool GamePlan::GetEnvBool(const std::string& key) const
{
    return environment_.GetBool(key);
}

bool GamePlan::GetAssetPath(const std::string& name, std::string* path) const
{
    const auto it = assets_.find(name);
    if (it == assets_.end()) {
        path->clear();
        return false;
    }
    const std::string dir = GetEnvString("AssetDir");
    *path = JoinPath(dir.empty() ? directory_ : JoinPath(directory_, dir), it->second);
    return true;
}
