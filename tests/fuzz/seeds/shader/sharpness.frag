uniform sampler2D original;
void main() { gl_FragColor = texture2D(original, gl_TexCoord[0].st); }
