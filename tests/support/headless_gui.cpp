#include "headless_gui.h"

#include <MyGUI.h>
#include <MyGUI_DataFileStream.h>
#include <MyGUI_DataManager.h>
#include <MyGUI_IVertexBuffer.h>
#include <MyGUI_RenderManager.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Committed GUI files from the sources; fonts from the runnable folder, where
// the build links Debian's fonts in.
const std::vector<fs::path> data_folders = {fs::path(QUILLAX_MATERIALS_DIR).parent_path() / "gui",
                                            fs::path(QUILLAX_RUN_MEDIA_DIR) / "fonts"};

class memory_texture : public MyGUI::ITexture {
public:
    explicit memory_texture(std::string name) : name(std::move(name)) {}

    const std::string& getName() const override { return name; }
    void createManual(int w, int h, MyGUI::TextureUsage u, MyGUI::PixelFormat f) override
    {
        width = w;
        height = h;
        usage = u;
        format = f;
        pixels.assign(size_t(w) * size_t(h) * getNumElemBytes(), 0);
    }
    // Pictures are never looked at: a file gives a blank square.
    void loadFromFile(const std::string&) override
    {
        createManual(256, 256, MyGUI::TextureUsage::Static, MyGUI::PixelFormat::R8G8B8A8);
    }
    void saveToFile(const std::string&) override {}
    void setShader(const std::string&) override {}
    void destroy() override { pixels.clear(); }
    void* lock(MyGUI::TextureUsage) override
    {
        locked = true;
        return pixels.data();
    }
    void unlock() override { locked = false; }
    bool isLocked() const override { return locked; }
    int getWidth() const override { return width; }
    int getHeight() const override { return height; }
    MyGUI::PixelFormat getFormat() const override { return format; }
    MyGUI::TextureUsage getUsage() const override { return usage; }
    size_t getNumElemBytes() const override
    {
        if (format == MyGUI::PixelFormat::L8)
            return 1;
        if (format == MyGUI::PixelFormat::L8A8)
            return 2;
        if (format == MyGUI::PixelFormat::R8G8B8)
            return 3;
        return 4;
    }

private:
    std::string name;
    int width = 0;
    int height = 0;
    MyGUI::TextureUsage usage;
    MyGUI::PixelFormat format;
    std::vector<unsigned char> pixels;
    bool locked = false;
};

class memory_vertex_buffer : public MyGUI::IVertexBuffer {
public:
    void setVertexCount(size_t count) override { vertices.resize(count); }
    size_t getVertexCount() const override { return vertices.size(); }
    MyGUI::Vertex* lock() override { return vertices.data(); }
    void unlock() override {}

private:
    std::vector<MyGUI::Vertex> vertices;
};

class null_render_manager : public MyGUI::RenderManager {
public:
    null_render_manager(int width, int height) : size(width, height) {}

    MyGUI::IVertexBuffer* createVertexBuffer() override { return new memory_vertex_buffer; }
    void destroyVertexBuffer(MyGUI::IVertexBuffer* buffer) override { delete buffer; }
    MyGUI::ITexture* createTexture(const std::string& name) override
    {
        auto& slot = textures[name];
        slot = std::make_unique<memory_texture>(name);
        return slot.get();
    }
    void destroyTexture(MyGUI::ITexture* texture) override
    {
        if (texture)
            textures.erase(texture->getName());
    }
    MyGUI::ITexture* getTexture(const std::string& name) override
    {
        const auto found = textures.find(name);
        return found == textures.end() ? nullptr : found->second.get();
    }
    const MyGUI::IntSize& getViewSize() const override { return size; }
    MyGUI::VertexColourType getVertexFormat() const override { return MyGUI::VertexColourType::ColourABGR; }
    void setViewSize(int width, int height) override
    {
        size.set(width, height);
        onResizeView(size);
    }
    void registerShader(const std::string&, const std::string&, const std::string&) override {}

private:
    MyGUI::IntSize size;
    std::map<std::string, std::unique_ptr<memory_texture>> textures;
};

class folder_data_manager : public MyGUI::DataManager {
public:
    MyGUI::IDataStream* getData(const std::string& name) const override
    {
        const std::string path = getDataPath(name);
        if (path.empty())
            return nullptr;
        return new MyGUI::DataFileStream(new std::ifstream(path, std::ios::binary));
    }
    void freeData(MyGUI::IDataStream* data) override { delete data; }
    bool isDataExist(const std::string& name) const override { return !getDataPath(name).empty(); }
    const MyGUI::VectorString& getDataListNames(const std::string&) const override { return no_names; }
    const std::string& getDataPath(const std::string& name) const override
    {
        for (const fs::path& folder : data_folders)
            if (fs::exists(folder / name))
                return found_path = (folder / name).string();
        found_path.clear();
        return found_path;
    }

private:
    MyGUI::VectorString no_names;
    mutable std::string found_path;
};

}

class headless_gui::platform {
public:
    platform(int width, int height) : render(width, height)
    {
        // MyGUI.log would land in the test's working folder; the console stays quiet.
        log.setSTDOutputEnabled(false);
    }

    MyGUI::LogManager log;
    null_render_manager render;
    folder_data_manager data;
};

headless_gui::headless_gui(int width, int height)
    : backend(std::make_unique<platform>(width, height)), gui(std::make_unique<MyGUI::Gui>())
{
    gui->initialise("core.xml");
}

headless_gui::~headless_gui()
{
    gui->shutdown();
    gui.reset();
    backend.reset();
}
