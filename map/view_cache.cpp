// Keeping and showing the zoomed-out design window's picture.
#include "map/view_cache.h"

#include "app/editor.h"

ViewCache::~ViewCache() {
    if (picture_) SDL_FreeSurface(picture_);
}

std::vector<long long> ViewCache::keyOf(Editor& editor, const Window& window) const {
    const SDL_PixelFormat* f = editor.screen->format;
    std::vector<long long> key = {window.rect.x,
                                  window.rect.y,
                                  window.rect.w,
                                  window.rect.h,
                                  window.zoomLevel,
                                  f->BitsPerPixel,
                                  f->Rmask,
                                  f->Gmask,
                                  f->Bmask,
                                  editor.tileCount,
                                  static_cast<long long>(editor.tileImages->images.size())};
    for (const std::string& name : window.layerNames) {
        const MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer) continue;
        key.insert(key.end(), {static_cast<long long>(layer->id), layer->width, layer->height,
                               layer->offsetX, layer->offsetY, layer->cellWidth, layer->cellHeight,
                               layer->visible, layer->checkerBackground, layer->number == 1});
    }
    return key;
}

bool ViewCache::show(Editor& editor, const Window& window) {
    if (!picture_ || !editor.screen) return false;
    for (const std::string& name : window.layerNames) {
        const MapLayer* layer = findWindowLayer(editor, window, name);
        if (layer && (!layer->unseenByView.empty() || !layer->highlighted.empty())) return false;
    }
    if (keyOf(editor, window) != key_) return false;
    SDL_Rect at = window.rect;
    SDL_BlitSurface(picture_, nullptr, editor.screen, &at);
    editor.shownMarkers = markers_;
    return true;
}

void ViewCache::keep(Editor& editor, const Window& window) {
    SDL_Surface* screen = editor.screen;
    if (!screen) return;
    if (!picture_ || picture_->w != window.rect.w || picture_->h != window.rect.h ||
        picture_->format->BitsPerPixel != screen->format->BitsPerPixel) {
        if (picture_) SDL_FreeSurface(picture_);
        const SDL_PixelFormat* f = screen->format;
        picture_ = SDL_CreateRGBSurface(SDL_SWSURFACE, window.rect.w, window.rect.h,
                                        f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, 0);
        key_.clear();
        if (!picture_) return;
    }
    SDL_Rect from = window.rect;
    if (SDL_BlitSurface(screen, &from, picture_, nullptr) != 0) {
        key_.clear();
        return;
    }
    for (const std::string& name : window.layerNames) {
        if (MapLayer* layer = findWindowLayer(editor, window, name)) {
            layer->unseenByView = ChangedBlock{};
        }
    }
    key_ = keyOf(editor, window);
    markers_ = editor.shownMarkers;
}

size_t ViewCache::bytes() const {
    return picture_ ? static_cast<size_t>(picture_->pitch) * picture_->h : 0;
}
