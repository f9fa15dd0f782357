#include "ogg_writer.h"

#include "stereo_buffer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

// Owns libvorbis's and libogg's encoder state for one file.
struct encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool dsp_ready = false;

    encoder() { vorbis_info_init(&info); vorbis_comment_init(&comment); }
    ~encoder()
    {
        if (dsp_ready) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
};

void write_page(std::FILE* file, const ogg_page& page, const std::string& path)
{
    if (std::fwrite(page.header, 1, std::size_t(page.header_len), file) != std::size_t(page.header_len) ||
        std::fwrite(page.body, 1, std::size_t(page.body_len), file) != std::size_t(page.body_len))
        throw std::runtime_error("cannot write " + path);
}

void drain(encoder& e, std::FILE* file, const std::string& path)
{
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
        vorbis_analysis(&e.block, nullptr);
        vorbis_bitrate_addblock(&e.block);
        while (vorbis_bitrate_flushpacket(&e.dsp, &packet)) {
            ogg_stream_packetin(&e.stream, &packet);
            while (ogg_stream_pageout(&e.stream, &page))
                write_page(file, page, path);
        }
    }
}

}

void write_ogg_vorbis(const stereo_buffer& audio, const ogg_settings& settings, const std::string& path)
{
    encoder e;
    if (vorbis_encode_init_vbr(&e.info, 2, settings.sample_rate, settings.quality) != 0)
        throw std::runtime_error("the Vorbis encoder refuses these settings for " + path);
    if (!settings.title.empty())
        vorbis_comment_add_tag(&e.comment, "TITLE", settings.title.c_str());
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    ogg_stream_init(&e.stream, settings.serial);
    e.dsp_ready = true;

    // Written aside and renamed when complete, so an interrupted build never
    // leaves a cut-off track for the game to load.
    const std::string partial = path + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    try {
        ogg_packet header, comments, codebooks;
        vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &comments, &codebooks);
        ogg_stream_packetin(&e.stream, &header);
        ogg_stream_packetin(&e.stream, &comments);
        ogg_stream_packetin(&e.stream, &codebooks);
        ogg_page page;
        // Audio must start on a fresh page.
        while (ogg_stream_flush(&e.stream, &page))
            write_page(file, page, path);

        const std::size_t chunk = 4096;
        for (std::size_t at = 0; at < audio.frames(); at += chunk) {
            const std::size_t count = std::min(chunk, audio.frames() - at);
            float** buffer = vorbis_analysis_buffer(&e.dsp, int(count));
            std::copy_n(audio.left().begin() + std::ptrdiff_t(at), count, buffer[0]);
            std::copy_n(audio.right().begin() + std::ptrdiff_t(at), count, buffer[1]);
            vorbis_analysis_wrote(&e.dsp, int(count));
            drain(e, file, path);
        }
        vorbis_analysis_wrote(&e.dsp, 0);
        drain(e, file, path);
        while (ogg_stream_flush(&e.stream, &page))
            write_page(file, page, path);
    } catch (...) {
        std::fclose(file);
        std::remove(partial.c_str());
        throw;
    }
    if (std::fclose(file) != 0 || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        throw std::runtime_error("cannot write " + path);
    }
}
