#version 120
// Full-screen quad for the bloom passes: passes the quad's texture
// coordinate through, which already accounts for render-target flipping.
uniform mat4 world_view_proj;
varying vec2 uv;

void main()
{
    gl_Position = world_view_proj * gl_Vertex;
    uv = gl_MultiTexCoord0.xy;
}
